#include "platform/x11/X11Keymap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <limits>

#include "platform/ControlCharacters.h"

namespace qln::x11 {

namespace {

// The key each Windows virtual key stands for, by its unshifted symbol on a US keyboard.
struct VkSym {
    std::uint8_t vk;
    KeySym sym;
};
const VkSym kKeys[] = {
    {8, XK_BackSpace},   {9, XK_Tab},          {13, XK_Return},      {16, XK_Shift_L},   {17, XK_Control_L},
    {18, XK_Alt_L},      {19, XK_Pause},       {20, XK_Caps_Lock},   {27, XK_Escape},    {32, XK_space},
    {33, XK_Prior},      {34, XK_Next},        {35, XK_End},         {36, XK_Home},      {37, XK_Left},
    {38, XK_Up},         {39, XK_Right},       {40, XK_Down},        {44, XK_Print},     {45, XK_Insert},
    {46, XK_Delete},     {91, XK_Super_L},     {92, XK_Super_R},     {93, XK_Menu},      {96, XK_KP_0},
    {97, XK_KP_1},       {98, XK_KP_2},        {99, XK_KP_3},        {100, XK_KP_4},     {101, XK_KP_5},
    {102, XK_KP_6},      {103, XK_KP_7},       {104, XK_KP_8},       {105, XK_KP_9},     {106, XK_KP_Multiply},
    {107, XK_KP_Add},    {109, XK_KP_Subtract}, {110, XK_KP_Decimal}, {111, XK_KP_Divide}, {144, XK_Num_Lock},
    {145, XK_Scroll_Lock}, {186, XK_semicolon}, {187, XK_equal},     {188, XK_comma},    {189, XK_minus},
    {190, XK_period},    {191, XK_slash},      {192, XK_grave},      {219, XK_bracketleft}, {220, XK_backslash},
    {221, XK_bracketright}, {222, XK_apostrophe},
};

// Virtual keys Windows leaves unassigned: given to keys of the live keymap that no virtual key above names.
constexpr std::uint8_t kPrivateVks[] = {136, 137, 138, 139, 140, 141, 142, 143, 151, 152, 153, 154, 155, 156, 157,
                                        158, 159, 184, 185, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203};

constexpr std::int16_t kShift = 0x100;
constexpr std::size_t kMaxSpare = 16;
constexpr useconds_t kRemapSettleUs = 50000;
// Many clients read a changed mapping only when they look the next key up, so a keycode that is given another
// symbol (or given back) right after a key was sent through it can make that key type the new symbol, or nothing.
// A keycode keeps its symbol at least this long after its last use.
constexpr std::int64_t kKeepSymbolMs = 300;

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void waitUntilMs(std::int64_t when) {
    if (const std::int64_t left = when - nowMs(); left > 0) ::usleep(static_cast<useconds_t>(left * 1000));
}

KeySym symbolOf(char32_t ch) { return ch < 0x100 ? ch : (0x01000000 | ch); }

}  // namespace

X11Keymap::X11Keymap(X11Display& display) : display_(display) {
    Display* d = display_.get();
    XDisplayKeycodes(d, &minKeycode_, &maxKeycode_);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(minKeycode_), maxKeycode_ - minKeycode_ + 1, &perKeycode);
    // From the top: the lowest keycodes (8 above all) are not delivered by every server.
    for (int kc = maxKeycode_; kc > std::max(minKeycode_, 8) && spare_.size() < kMaxSpare; --kc) {
        const KeySym* syms = map + (kc - minKeycode_) * perKeycode;
        if (std::all_of(syms, syms + perKeycode, [](KeySym s) { return s == NoSymbol; })) spare_.push_back(static_cast<std::uint8_t>(kc));
    }
    XFree(map);
    spareSymbol_.assign(spare_.size(), 0);
    spareUsed_.assign(spare_.size(), 0);
    spareTime_.assign(spare_.size(), std::numeric_limits<std::int64_t>::min() / 2);
    refresh();
}

X11Keymap::~X11Keymap() {
    // Give the borrowed keycodes back empty, once the keys sent through them have been read.
    if (std::any_of(spareSymbol_.begin(), spareSymbol_.end(), [](unsigned long s) { return s != 0; }))
        waitUntilMs(*std::max_element(spareTime_.begin(), spareTime_.end()) + kKeepSymbolMs);
    KeySym none[2] = {NoSymbol, NoSymbol};
    for (std::size_t i = 0; i < spare_.size(); ++i)
        if (spareSymbol_[i] != 0) XChangeKeyboardMapping(display_.get(), spare_[i], 2, none, 1);
    XSync(display_.get(), False);
}

void X11Keymap::refresh() {
    Display* d = display_.get();
    keycodes_.fill(0);
    for (const VkSym& k : kKeys) keycodes_[k.vk] = static_cast<std::uint8_t>(XKeysymToKeycode(d, k.sym));
    for (int c = 'A'; c <= 'Z'; ++c)
        keycodes_[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(XKeysymToKeycode(d, static_cast<KeySym>(c + 32)));
    for (int c = '0'; c <= '9'; ++c)
        keycodes_[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(XKeysymToKeycode(d, static_cast<KeySym>(c)));
    for (int f = 0; f < 24; ++f)
        keycodes_[static_cast<std::size_t>(112 + f)] = static_cast<std::uint8_t>(XKeysymToKeycode(d, XK_F1 + static_cast<KeySym>(f)));

    std::size_t nextPrivate = 0;
    auto vkFor = [&](std::uint8_t kc) -> int {
        for (int vk = 1; vk < 256; ++vk)
            if (keycodes_[static_cast<std::size_t>(vk)] == kc) return vk;
        if (nextPrivate == std::size(kPrivateVks)) return -1;
        const std::uint8_t vk = kPrivateVks[nextPrivate++];
        keycodes_[vk] = kc;
        return vk;
    };
    scan_.fill(-1);
    for (int c = 0x20; c < 0x7F; ++c) {
        const KeySym sym = static_cast<KeySym>(c);
        const KeyCode kc = XKeysymToKeycode(d, sym);
        if (kc == 0) continue;
        int shift = -1;
        if (XkbKeycodeToKeysym(d, kc, 0, 0) == sym) shift = 0;
        else if (XkbKeycodeToKeysym(d, kc, 0, 1) == sym) shift = 1;
        if (shift < 0) continue;
        const int vk = vkFor(static_cast<std::uint8_t>(kc));
        if (vk > 0) scan_[static_cast<std::size_t>(c)] = static_cast<std::int16_t>((shift ? kShift : 0) | vk);
    }
    setControlCharacterScans(scan_);
}

bool X11Keymap::capsLockOn() const {
    XkbStateRec state{};
    XkbGetState(display_.get(), XkbUseCoreKbd, &state);
    return (state.locked_mods & LockMask) != 0;
}

X11Keymap::Stroke X11Keymap::strokeFor(char32_t ch) {
    Display* d = display_.get();
    const KeySym sym = symbolOf(ch);
    if (const KeyCode kc = XKeysymToKeycode(d, sym); kc != 0) {
        if (XkbKeycodeToKeysym(d, kc, 0, 0) == sym) return {static_cast<std::uint8_t>(kc), false};
        if (XkbKeycodeToKeysym(d, kc, 0, 1) == sym) return {static_cast<std::uint8_t>(kc), true};
    }
    if (spare_.empty()) return {};
    ++uses_;
    for (std::size_t i = 0; i < spare_.size(); ++i) {
        if (spareSymbol_[i] == sym) {
            spareUsed_[i] = uses_;
            spareTime_[i] = nowMs();
            return {spare_[i], false};
        }
    }
    const auto lru = static_cast<std::size_t>(std::min_element(spareUsed_.begin(), spareUsed_.end()) - spareUsed_.begin());
    waitUntilMs(spareTime_[lru] + kKeepSymbolMs);
    KeySym syms[2] = {sym, sym};
    XChangeKeyboardMapping(d, spare_[lru], 2, syms, 1);
    XSync(d, False);
    // Clients read the new mapping when its notice reaches them; a key sent before that is lost.  Give them a
    // moment (once per new character: the keycode keeps it afterwards).
    ::usleep(kRemapSettleUs);
    spareSymbol_[lru] = sym;
    spareUsed_[lru] = uses_;
    spareTime_[lru] = nowMs();
    return {spare_[lru], false};
}

}  // namespace qln::x11
