#include "store/MacroTable.h"

#include <stdexcept>

#include "core/DateTime.h"

namespace qln {

namespace {
constexpr const char* kSystemNicknames[4] = {"Activate Quillon", "Start / Stop Capture", "Resume Pause",
                                             "Menu of Macros for Top Most Window"};
constexpr std::uint16_t kSystemHotKeys[4] = {262, 263, 264, 265};

std::string cut(std::string_view s, std::size_t width) { return std::string(s.substr(0, width)); }
}  // namespace

const char* systemMacroNickname(char digit) {
    return digit >= '1' && digit <= '4' ? kSystemNicknames[digit - '1'] : "";
}

MacroRecord systemMacro(char digit, double now) {
    MacroRecord r;
    r.nickname = systemMacroNickname(digit);
    r.windowName = std::string(1, digit);
    r.hotKeyCode = kSystemHotKeys[digit - '1'];
    r.scope = ScopeSystem;
    r.active = 1;
    r.reserved = 0;
    r.modified = now;
    return r;
}

void MacroTable::publish(int n, const MacroRecord& r) {
    if (n < 1 || n > MaxMacros) throw std::out_of_range("macro number " + std::to_string(n) + " is outside 1..500");
    names_.nicknames[static_cast<std::size_t>(n)] = cut(r.nickname, record::NicknameChars);
    names_.snipwords[static_cast<std::size_t>(n)] = cut(r.snipword, record::SnipwordChars);
    table_.setScope(n, r.scope);
    table_.setName(n, r.windowName);
    table_.setActive(n, r.active);
    table_.setCode(n, r.hotKeyCode);
    table_.setTopMostOnly(n, r.topMostOnly);
    hook_.QlnUpItem(table_.image(), static_cast<std::uint16_t>(n));
}

bool MacroTable::ThereAreSnipwords() const {
    for (int n = 1; n <= count(); ++n)
        if (table_.code(n) == HotKeySnipword) return true;
    return false;
}

void MacroTable::SetHotKeys() {
    table_.clearHotKeyMap();
    for (int n = 1; n <= count(); ++n) {
        const std::uint16_t code = table_.code(n);
        if (code != HotKeyTimed && code != HotKeySnipword && table_.active(n) != 0) table_.setHotKeyUsed(code, true);
    }
    table_.setSnipwordFlag(ThereAreSnipwords());
    hook_.QlnUpKeys(table_.image());
}

void MacroTable::repairSystemMacros(IMacroStore& store, const IClock& clock) {
    bool found[4] = {false, false, false, false};
    for (int n = 1; n <= count(); ++n) {
        if (table_.scope(n) != ScopeSystem) continue;
        const std::string name = table_.name(n);
        if (name.empty() || name[0] < '1' || name[0] > '4') continue;
        const int digit = name[0] - '1';
        found[digit] = true;
        // Lists always show the fixed nickname; the record in the file keeps its own until stored again.
        if (names_.nicknames[static_cast<std::size_t>(n)] != kSystemNicknames[digit])
            names_.nicknames[static_cast<std::size_t>(n)] = kSystemNicknames[digit];
    }
    for (int digit = 0; digit < 4; ++digit) {
        if (found[digit]) continue;
        // A full set has no room: nothing can be added, and no array is written past its end.
        if (count() >= MaxMacros) return;
        // Counted only once it is in the file: a failed store leaves the set as it was, and the next missing
        // macro would fail the same way.
        if (!store.store(count() + 1, systemMacro(static_cast<char>('1' + digit), nowDateTime(clock)))) return;
        setCount(count() + 1);
        UpNumKeys();
    }
}

}  // namespace qln
