#include "platform/x11/SpareKeycodes.h"

#include "platform/x11/RemappedKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <string_view>

namespace qln::x11 {

namespace {
// Programs read a changed keymap when its notice reaches them; a moment for that before the first key of a batch.
constexpr std::uint64_t kSettleMs = 50;

// Latin-1 characters have keysyms of the same number; the others are given as Unicode keysyms, which every
// toolkit reads.
unsigned long symbolOf(char32_t ch) { return ch == 0 ? NoSymbol : ch < 0x100 ? ch : 0x01000000 | ch; }
}  // namespace

SpareKeycodes::SpareKeycodes(X11Display& display, X11Keymap& keymap, IMessagePump& pump, const IClock& clock)
    : display_(display), keymap_(keymap), pump_(pump), clock_(clock) {
    keymap_.refresh();  // what a predecessor left on them may have been given back just now
    const std::vector<std::uint8_t> keycodes = keymap_.emptyKeycodes();
    // Four characters a keycode where the keymap has an AltGr key and the four-level key type, else two.
    fourLevelType_ = keymap_.level3Keycode() != 0 ? findFourLevelType() : -1;
    const int levels = fourLevelType_ >= 0 ? 4 : 2;
    for (const std::uint8_t kc : keycodes)
        for (int level = 0; level < levels; ++level) slots_.push_back({kc, level, 0, 0, 0});
    keymap_.reserve(keycodes);
    addSpareKeycodes(display_, keycodes);
}

SpareKeycodes::~SpareKeycodes() { giveBackAll(false); }

std::optional<std::size_t> SpareKeycodes::slotOf(char32_t ch) const {
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].ch == ch) return i;
    return std::nullopt;
}

std::vector<std::size_t> SpareKeycodes::reusable(std::uint64_t now) const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].safeAt() <= now) out.push_back(i);
    std::stable_sort(out.begin(), out.end(), [&](std::size_t a, std::size_t b) {
        return slots_[a].lastActivity() < slots_[b].lastActivity();
    });
    return out;
}

void SpareKeycodes::prepare(const std::vector<char32_t>& chars) {
    const std::vector<std::size_t> free = reusable(clock_.tickCount());
    std::vector<std::pair<std::size_t, char32_t>> batch;
    for (const char32_t ch : chars) {
        if (batch.size() == free.size()) break;
        if (ch == 0 || slotOf(ch)) continue;
        if (std::any_of(batch.begin(), batch.end(), [&](const auto& b) { return b.second == ch; })) continue;
        batch.emplace_back(free[batch.size()], ch);
    }
    if (!batch.empty()) assign(batch);
}

std::optional<X11Keymap::Stroke> SpareKeycodes::use(char32_t ch, const std::vector<char32_t>& upcoming) {
    if (slots_.empty() || ch == 0) return std::nullopt;
    auto slot = slotOf(ch);
    if (!slot) {
        // Every slot used lately: a program may not have read the key sent through it yet.  Wait for the one
        // that is safe first.
        const auto first = std::min_element(slots_.begin(), slots_.end(),
                                            [](const Slot& a, const Slot& b) { return a.safeAt() < b.safeAt(); });
        const std::uint64_t safe = first->safeAt();
        waitUntil(safe);
        if (clock_.tickCount() < safe) return std::nullopt;  // the program quits meanwhile
        std::vector<char32_t> wanted{ch};
        for (const char32_t next : upcoming)
            if (next != ch && !slotOf(next) && std::find(wanted.begin(), wanted.end(), next) == wanted.end())
                wanted.push_back(next);
        const std::vector<std::size_t> free = reusable(clock_.tickCount());
        std::vector<std::pair<std::size_t, char32_t>> batch;
        for (std::size_t i = 0; i < wanted.size() && i < free.size(); ++i) batch.emplace_back(free[i], wanted[i]);
        assign(batch);
        slot = slotOf(ch);
        if (!slot) return std::nullopt;
    }
    Slot& s = slots_[*slot];
    s.lastUse = clock_.tickCount();
    return X11Keymap::Stroke{s.keycode, (s.level & 1) != 0, (s.level & 2) != 0};
}

void SpareKeycodes::assign(const std::vector<std::pair<std::size_t, char32_t>>& batch) {
    const std::uint64_t now = clock_.tickCount();
    std::vector<std::uint8_t> changed;
    for (const auto& [index, ch] : batch) {
        slots_[index].ch = ch;
        slots_[index].mappedAt = now;
        slots_[index].lastUse = 0;
        changed.push_back(slots_[index].keycode);
    }
    send(changed);
    waitUntil(clock_.tickCount() + kSettleMs);
}

void SpareKeycodes::send(const std::vector<std::uint8_t>& keycodes) {
    std::vector<std::uint8_t> sorted = keycodes;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.empty()) return;
    if (!sendAtOnce(sorted)) sendOneByOne(sorted);
    XSync(display_.get(), False);
    if (onChange_) onChange_();
}

std::array<unsigned long, 4> SpareKeycodes::symbolsOf(std::uint8_t keycode) const {
    std::array<unsigned long, 4> out{NoSymbol, NoSymbol, NoSymbol, NoSymbol};
    for (const Slot& s : slots_)
        if (s.keycode == keycode) out[static_cast<std::size_t>(s.level)] = symbolOf(s.ch);
    return out;
}

int SpareKeycodes::findFourLevelType() const {
    Display* d = display_.get();
    XkbDescPtr xkb = XkbGetMap(d, XkbKeyTypesMask, XkbUseCoreKbd);
    int found = -1;
    if (xkb != nullptr && xkb->map != nullptr && XkbGetNames(d, XkbKeyTypeNamesMask, xkb) == Success) {
        for (int i = 0; i < xkb->map->num_types && found < 0; ++i) {
            const XkbKeyTypeRec& type = xkb->map->types[i];
            if (type.name == None || type.num_levels != 4) continue;
            char* name = XGetAtomName(d, type.name);
            if (name != nullptr && std::string_view(name) == "FOUR_LEVEL") found = i;
            if (name != nullptr) XFree(name);
        }
    }
    if (xkb != nullptr) XkbFreeKeyboard(xkb, 0, True);
    return found;
}

bool SpareKeycodes::sendAtOnce(const std::vector<std::uint8_t>& sorted) {
    // Every change of the keymap makes every program read it again (window managers grab all their keys anew):
    // the whole batch goes in one request, the keys between ours sent back as they are.
    Display* d = display_.get();
    XkbDescPtr xkb = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (xkb == nullptr || xkb->map == nullptr) {
        if (xkb != nullptr) XkbFreeKeyboard(xkb, 0, True);
        return false;
    }
    XkbMapChangesRec changes{};
    bool ok = true;
    for (const std::uint8_t kc : sorted) {
        const auto symbols = symbolsOf(kc);
        if (std::all_of(symbols.begin(), symbols.end(), [](unsigned long s) { return s == NoSymbol; })) {
            ok = XkbChangeTypesOfKey(xkb, kc, 0, XkbGroup1Mask, nullptr, &changes) == Success;
        } else {
            const int type = fourLevelType_ >= 0 ? fourLevelType_ : XkbTwoLevelIndex;
            const int width = fourLevelType_ >= 0 ? 4 : 2;
            int types[XkbNumKbdGroups] = {type, type, type, type};
            ok = XkbChangeTypesOfKey(xkb, kc, 1, XkbGroup1Mask, types, &changes) == Success;
            KeySym* syms = ok ? XkbResizeKeySyms(xkb, kc, width) : nullptr;
            ok = syms != nullptr;
            for (int level = 0; ok && level < width; ++level) syms[level] = symbols[static_cast<std::size_t>(level)];
        }
        if (!ok) break;
    }
    if (ok) {
        changes.changed = XkbKeySymsMask;
        changes.first_key_sym = sorted.front();
        changes.num_key_syms = static_cast<unsigned char>(sorted.back() - sorted.front() + 1);
        ok = XkbChangeMap(d, xkb, &changes) == True;
    }
    XkbFreeKeyboard(xkb, 0, True);
    return ok;
}

void SpareKeycodes::sendOneByOne(const std::vector<std::uint8_t>& sorted) {
    Display* d = display_.get();
    // The core keymap's third and fourth symbols would be a second layout: two characters a key here.
    for (const std::uint8_t kc : sorted) {
        const auto symbols = symbolsOf(kc);
        KeySym syms[2] = {symbols[0], symbols[1]};
        XChangeKeyboardMapping(d, kc, 2, syms, 1);
    }
}

void SpareKeycodes::waitUntil(std::uint64_t tick) {
    while (clock_.tickCount() < tick && !pump_.quitRequested()) pump_.waitUntil(tick);
}

void SpareKeycodes::giveBackIdle() {
    const std::uint64_t now = clock_.tickCount();
    std::vector<std::uint8_t> changed;
    for (Slot& s : slots_) {
        if (s.ch == 0 || s.lastActivity() + KeepMs > now) continue;
        s.ch = 0;
        changed.push_back(s.keycode);
    }
    send(changed);
}

void SpareKeycodes::giveBackAll(bool waitForReaders) {
    std::uint64_t safe = 0;
    bool any = false;
    for (const Slot& s : slots_) {
        if (s.ch == 0) continue;
        any = true;
        safe = std::max(safe, s.safeAt());
    }
    if (!any) return;
    if (waitForReaders) waitUntil(safe);
    std::vector<std::uint8_t> changed;
    for (Slot& s : slots_) {
        if (s.ch == 0) continue;
        s.ch = 0;
        changed.push_back(s.keycode);
    }
    send(changed);
}

std::vector<SpareKeycodes::Borrowed> SpareKeycodes::borrowed() const {
    std::vector<Borrowed> out;
    for (const Slot& s : slots_) {
        if (s.ch == 0 || (!out.empty() && out.back().keycode == s.keycode)) continue;
        const auto symbols = symbolsOf(s.keycode);
        out.push_back({s.keycode, {symbols[0], symbols[1]}});
    }
    return out;
}

}  // namespace qln::x11
