#include "platform/x11/SpareKeycodes.h"

#include <X11/Xlib.h>

#include <algorithm>

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
    for (const std::uint8_t kc : keycodes) {
        slots_.push_back({kc, 0, 0, 0});
        slots_.push_back({kc, 1, 0, 0});
    }
    keymap_.reserve(keycodes);
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
    return X11Keymap::Stroke{s.keycode, s.level == 1, false};
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
    Display* d = display_.get();
    // One change per run of neighbouring keycodes: each change is one notice to every program.
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i + 1;
        while (j < sorted.size() && sorted[j] == sorted[j - 1] + 1) ++j;
        std::vector<KeySym> syms;
        for (std::size_t k = i; k < j; ++k) {
            for (const Slot& s : slots_) {
                if (s.keycode != sorted[k]) continue;
                syms.push_back(symbolOf(s.ch));
            }
        }
        XChangeKeyboardMapping(d, sorted[i], 2, syms.data(), static_cast<int>(j - i));
        i = j;
    }
    XSync(d, False);
    if (onChange_) onChange_();
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
    for (std::size_t i = 0; i + 1 < slots_.size(); i += 2) {
        if (slots_[i].ch == 0 && slots_[i + 1].ch == 0) continue;
        out.push_back({slots_[i].keycode, {symbolOf(slots_[i].ch), symbolOf(slots_[i + 1].ch)}});
    }
    return out;
}

}  // namespace qln::x11
