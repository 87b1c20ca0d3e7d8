#include "platform/x11/X11Keymap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <bit>

#include "platform/ControlCharacters.h"
#include "platform/x11/RemappedKeys.h"
#include "platform/x11/XkbGroups.h"

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
    // The end marker behind every triggered macro; the hook library keeps Execute on some keycode and grabs it.
    {43, XK_Execute},
};

// Virtual keys Windows leaves unassigned: given to keys of the live keymap that no virtual key above names.
constexpr std::uint8_t kPrivateVks[] = {136, 137, 138, 139, 140, 141, 142, 143, 151, 152, 153, 154, 155, 156, 157,
                                        158, 159, 184, 185, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203};

constexpr std::int16_t kScanShift = 0x100, kScanCtrlAlt = 0x600;

std::uint8_t toKeycode(Display* d, KeySym sym) { return static_cast<std::uint8_t>(XKeysymToKeycode(d, sym)); }

}  // namespace

X11Keymap::X11Keymap(X11Events& events) : events_(events) {
    Display* d = events_.display().get();
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(d, &opcode, &xkbEventBase_, &error, &major, &minor)) {
        // A switch of the layout and a new keyboard change what each key types.
        XkbSelectEvents(d, XkbUseCoreKbd, XkbNewKeyboardNotifyMask, XkbNewKeyboardNotifyMask);
        XkbSelectEventDetails(d, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask, XkbGroupStateMask);
    } else {
        xkbEventBase_ = -1;
    }
    // Our keyboard remapper names the keys it changed on the root window.
    remappedAtom_ = remappedKeysAtom(events_.display());
    XWindowAttributes root{};
    if (XGetWindowAttributes(d, DefaultRootWindow(d), &root))
        XSelectInput(d, DefaultRootWindow(d), root.your_event_mask | PropertyChangeMask);
    filter_ = events_.addFilter([this](XEvent& e) { return handleEvent(&e); });
    refresh();
}

X11Keymap::~X11Keymap() {
    events_.removeFilter(filter_);
    if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
}

bool X11Keymap::handleEvent(void* event) {
    auto& e = *static_cast<XEvent*>(event);
    // Read again when next needed: a program remapping keys in a loop must not keep us reading keymaps.
    if (e.type == MappingNotify) {
        if (e.xmapping.request != MappingPointer) stale_ = true;
    } else if (e.type == PropertyNotify && e.xproperty.atom == remappedAtom_) {
        stale_ = true;
    } else if (xkbEventBase_ >= 0 && e.type == xkbEventBase_) {
        const auto& x = reinterpret_cast<const XkbEvent&>(e);
        if (x.any.xkb_type == XkbNewKeyboardNotify) {
            stale_ = true;
        } else if (x.any.xkb_type == XkbStateNotify && x.state.group != group_) {
            group_ = x.state.group;
            index();
        }
    }
    return false;  // others (the hook library) may want the same events
}

void X11Keymap::refresh() {
    stale_ = false;
    Display* d = events_.display().get();
    // XKeysymToKeycode answers from Xlib's copy of the keymap, which can miss a change another connection made
    // (the hook library lending a keycode to the end marker): read it again too.
    XMappingEvent reload{};
    reload.type = MappingNotify;
    reload.display = d;
    reload.request = MappingKeyboard;
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(d, &minKeycode, &maxKeycode);
    reload.first_keycode = minKeycode;
    reload.count = maxKeycode - minKeycode + 1;
    XRefreshKeyboardMapping(&reload);
    if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
    xkb_ = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    group_ = state.group;
    remapped_ = readRemappedKeys(events_.display());

    keycodes_.fill(0);
    for (const VkSym& k : kKeys) keycodes_[k.vk] = toKeycode(d, k.sym);
    for (int c = 'A'; c <= 'Z'; ++c) keycodes_[static_cast<std::size_t>(c)] = toKeycode(d, static_cast<KeySym>(c + 32));
    for (int c = '0'; c <= '9'; ++c) keycodes_[static_cast<std::size_t>(c)] = toKeycode(d, static_cast<KeySym>(c));
    for (int f = 0; f < 24; ++f)
        keycodes_[static_cast<std::size_t>(112 + f)] = toKeycode(d, XK_F1 + static_cast<KeySym>(f));

    modifierKeys_.reset();
    numLockMask_ = level3Mask_ = 0;
    shiftKeycode_ = toKeycode(d, XK_Shift_L);
    if (shiftKeycode_ == 0) shiftKeycode_ = toKeycode(d, XK_Shift_R);
    level3Keycode_ = 0;
    if (xkb_ == nullptr || xkb_->map == nullptr) {
        index();
        return;
    }
    for (int kc = xkb_->min_key_code; kc <= xkb_->max_key_code; ++kc) {
        const unsigned mods = xkb_->map->modmap[kc];
        if (mods == 0 || XkbKeyNumSyms(xkb_, kc) == 0) continue;
        const KeySym sym = XkbKeySymEntry(xkb_, kc, 0, 0);
        if (sym == XK_Num_Lock) numLockMask_ |= mods;
        if (sym == XK_ISO_Level3_Shift && level3Keycode_ == 0) {
            level3Mask_ = mods;
            level3Keycode_ = static_cast<std::uint8_t>(kc);
        }
    }
    for (int kc = xkb_->min_key_code; kc <= xkb_->max_key_code; ++kc)
        if ((xkb_->map->modmap[kc] & ~(LockMask | numLockMask_)) != 0) modifierKeys_.set(static_cast<std::size_t>(kc));
    index();
}

void X11Keymap::index() {
    chars_.clear();
    scan_.fill(-1);
    if (xkb_ != nullptr && xkb_->map != nullptr) {
        const unsigned allowed = ShiftMask | level3Mask_;
        std::unordered_map<char32_t, int> rank;
        for (int kc = xkb_->min_key_code; kc <= xkb_->max_key_code; ++kc) {
            // A remapped key types what the user's remapping says, not what the macro's text says.
            if (reserved_[static_cast<std::size_t>(kc)] || remapped_[static_cast<std::size_t>(kc)] ||
                XkbKeyNumGroups(xkb_, kc) == 0)
                continue;
            const int g = effectiveGroup(xkb_, kc, group_);
            const XkbKeyTypePtr type = XkbKeyKeyType(xkb_, kc, g);
            const int width = XkbKeyGroupWidth(xkb_, kc, g);
            for (int level = 0; level < width; ++level) {
                const KeySym sym = XkbKeySymEntry(xkb_, kc, level, g);
                // Keypad keys type digits only with Num Lock, and some programs read them as commands.
                if (sym == NoSymbol || IsKeypadKey(sym)) continue;
                const char32_t ch = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(sym));
                if (ch == 0) continue;
                // The fewest modifiers that reach this level, among those we can press.
                int best = level == 0 ? 0 : -1;
                unsigned bestMask = 0;
                for (int i = 0; level != 0 && i < type->map_count; ++i) {
                    const XkbKTMapEntryRec& entry = type->map[i];
                    if (!entry.active || entry.level != level || (entry.mods.mask & ~allowed) != 0) continue;
                    const int n = std::popcount(entry.mods.mask);
                    if (best < 0 || n < best) {
                        best = n;
                        bestMask = entry.mods.mask;
                    }
                }
                if (best < 0) continue;
                const Stroke s{static_cast<std::uint8_t>(kc), (bestMask & ShiftMask) != 0,
                               level3Mask_ != 0 && (bestMask & level3Mask_) != 0};
                if ((s.level3 && level3Keycode_ == 0) || (s.shift && shiftKeycode_ == 0)) continue;
                const auto known = rank.find(ch);
                if (known != rank.end() && known->second <= best) continue;
                rank[ch] = best;
                chars_[ch] = s;
            }
        }
    }

    for (const std::uint8_t vk : kPrivateVks) keycodes_[vk] = 0;
    std::size_t nextPrivate = 0;
    auto vkFor = [&](std::uint8_t kc) -> int {
        for (int vk = 1; vk < 256; ++vk)
            if (keycodes_[static_cast<std::size_t>(vk)] == kc) return vk;
        if (nextPrivate == std::size(kPrivateVks)) return -1;
        const std::uint8_t vk = kPrivateVks[nextPrivate++];
        keycodes_[vk] = kc;
        return vk;
    };
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        const auto s = find(c);
        if (!s) continue;
        const int vk = vkFor(s->keycode);
        if (vk > 0)
            scan_[c] = static_cast<std::int16_t>((s->shift ? kScanShift : 0) | (s->level3 ? kScanCtrlAlt : 0) | vk);
    }
    setControlCharacterScans(scan_);
}

void X11Keymap::followRemapping() {
    if (readRemappedKeys(events_.display()) != remapped_) refresh();
}

std::optional<X11Keymap::Stroke> X11Keymap::find(char32_t ch) const {
    const auto it = chars_.find(ch);
    if (it == chars_.end()) return std::nullopt;
    return it->second;
}

void X11Keymap::reserve(const std::vector<std::uint8_t>& keycodes) {
    reserved_.reset();
    for (const std::uint8_t kc : keycodes) reserved_.set(kc);
    index();
}

std::vector<std::uint8_t> X11Keymap::emptyKeycodes() const {
    std::vector<std::uint8_t> out;
    if (xkb_ == nullptr || xkb_->map == nullptr) return out;
    for (int kc = xkb_->max_key_code; kc > std::max<int>(xkb_->min_key_code, 8); --kc)
        if (XkbKeyNumSyms(xkb_, kc) == 0 && xkb_->map->modmap[kc] == 0) out.push_back(static_cast<std::uint8_t>(kc));
    return out;
}

bool X11Keymap::capsLockOn() const {
    XkbStateRec state{};
    XkbGetState(events_.display().get(), XkbUseCoreKbd, &state);
    return (state.locked_mods & LockMask) != 0;
}

}  // namespace qln::x11
