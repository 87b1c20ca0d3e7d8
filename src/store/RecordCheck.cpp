#include "store/RecordCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "store/HotKeyNames.h"
#include "store/MacroTable.h"
#include "store/PopupItems.h"

namespace qln {

namespace {

using Bytes = std::span<const std::uint8_t, record::Size>;

template <typename T>
T get(Bytes b, std::size_t at) {
    T value;
    std::memcpy(&value, b.data() + at, sizeof value);
    return value;
}

template <typename T>
std::string str(T n) {
    return std::to_string(n);
}

class Checker {
public:
    explicit Checker(Bytes b) : b_(b) {}

    static constexpr const char* LengthProblem = "length byte ";

    void add(std::size_t offset, const char* field, std::string problem) {
        found.push_back({offset, field, std::move(problem)});
    }

    // A length byte past the field; true when the length is sound.
    bool length(std::size_t offset, std::size_t chars, const char* field) {
        if (b_[offset] <= chars) return true;
        add(offset, field,
            LengthProblem + str(b_[offset]) + " is larger than the field's " + str(chars) + " characters");
        return false;
    }

    void flag(std::size_t offset, const char* field) {
        if (b_[offset] > 1) add(offset, field, str(b_[offset]) + " is neither 0 nor 1");
    }

    void popupOptions() {
        using namespace record;
        const std::uint8_t* s = b_.data() + Snipword;
        const bool sound =
            s[0] == 3 && (s[1] == 'Y' || s[1] == 'N') && s[2] >= '1' && s[2] <= '3' && s[3] >= '0' && s[3] <= '4';
        if (!sound)
            add(Snipword, "Snipword name",
                "not the three option characters of a Popup Menu macro (Y or N, 1 to 3, 0 to 4)");
    }

    void popupItems() {
        using namespace record;
        const std::size_t count = get<std::uint16_t>(b_, Text);
        if (count > MaxPopupItems) {  // the items behind such a count mean nothing
            add(Text, "popup item list",
                "count " + str(count) + " is more than the field holds (" + str(MaxPopupItems) + ")");
            return;
        }
        std::size_t bad = 0, first = 0;
        std::uint16_t firstValue = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const auto n = get<std::uint16_t>(b_, Text + 2 + 2 * i);
            if (n >= 1 && n <= MaxMacros) continue;
            if (bad++ == 0) {
                first = i + 1;
                firstValue = n;
            }
        }
        if (bad > 0)
            add(Text, "popup item list",
                str(bad) + (bad == 1 ? " item is" : " items are") + " no macro number 1 to 500; the first, item " +
                    str(first) + ", is " + str(firstValue));
    }

    std::vector<RecordDamage> found;

private:
    Bytes b_;
};

}  // namespace

bool isHotKeyCode(std::uint16_t code) {
    return code < HotKeyCount || code == HotKeyTimed || code == HotKeySnipword;
}

std::vector<RecordDamage> checkRecord(Bytes b) {
    using namespace record;
    Checker c(b);
    const auto code = get<std::uint16_t>(b, HotKey);
    const auto scope = get<std::int16_t>(b, Scope);
    const bool popup = scope == ScopePopupMenu;

    c.length(Nickname, NicknameChars, "nickname");
    c.length(WindowName, WindowNameChars, "window/program name");
    if (c.length(Snipword, SnipwordChars, "Snipword name")) {
        if (popup)
            c.popupOptions();
        else if (code == HotKeySnipword && b[Snipword] == 0)
            c.add(Snipword, "Snipword name", "empty in a Snipword macro");
    }
    if (!isHotKeyCode(code))
        c.add(HotKey, "hot key code", str(code) + " is not one of 0 to 719, 10000 or 20000");
    else if ((popup || scope == ScopeSystem) && code >= HotKeyCount)
        c.add(HotKey, "hot key code",
              str(code) + " in a " + (popup ? "Popup Menu" : "System") + " macro, which needs a hot key (0 to 719)");
    if (scope < ScopeGlobal || scope > ScopeSystem) c.add(Scope, "scope kind", str(scope) + " is outside 1 to 5");
    c.flag(Active, "active flag");
    if (popup) {
        c.popupItems();
    } else {
        const auto text = b.subspan(Text, TextField);
        if (std::find(text.begin(), text.end(), 0) == text.end())
            c.add(Text, "macro text", "no terminating zero within its 5001 bytes");
    }
    c.length(Icon, IconChars, "icon name");
    c.flag(TopMostOnly, "Top Most Only flag");
    if (!std::isfinite(get<double>(b, Modified))) c.add(Modified, "modified time", "not a finite number");
    return c.found;
}

std::optional<RecordDamage> notAMacroRecord(Bytes b) {
    using namespace record;
    const bool code = isHotKeyCode(get<std::uint16_t>(b, HotKey));
    for (const RecordDamage& d : checkRecord(b)) {
        const bool identity = d.offset == Scope || d.offset == Active || d.offset == TopMostOnly ||
                              (d.offset == HotKey && !code) || d.problem.starts_with(Checker::LengthProblem);
        if (identity) return d;
    }
    return std::nullopt;
}

}  // namespace qln
