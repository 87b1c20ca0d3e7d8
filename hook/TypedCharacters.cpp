#include "hook/TypedCharacters.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include "core/Win1252.h"

namespace qln::hook {

namespace {
bool isModifierOrLock(unsigned long sym) {
    // Shift_L .. Hyper_R, the ISO level and group shifts and locks, Num Lock, Mode_switch and Scroll Lock.
    return IsModifierKey(sym) || sym == XK_Scroll_Lock || sym == XK_Shift_Lock || sym == XK_Caps_Lock ||
           sym == NoSymbol;
}
}  // namespace

std::optional<std::uint8_t> win1252Byte(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<std::uint8_t>(ch);
    for (unsigned b = 0x80; b < 0xA0; ++b)
        if (win1252ToCodePoint(static_cast<unsigned char>(b)) == ch) return static_cast<std::uint8_t>(b);
    return std::nullopt;
}

std::optional<std::uint8_t> typedByte(unsigned long keysym, bool commandModifiers) {
    if (isModifierOrLock(keysym)) return std::nullopt;
    if (commandModifiers) return 0;
    switch (keysym) {
        case XK_BackSpace: return 8;
        case XK_Return:
        case XK_KP_Enter:
        case XK_ISO_Enter: return 13;
        case XK_Tab:
        case XK_ISO_Left_Tab:
        case XK_KP_Tab: return 9;
        case XK_Escape: return 27;
        default: break;
    }
    const char32_t ch = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    // Control characters other than the keys above (Delete's 127 among them) are not typing.
    if (ch < 0x20 || ch == 0x7F) return 0;
    const auto byte = win1252Byte(ch);
    // The undefined bytes of the code page stand for control characters, not for anything typed.
    if (!byte || (*byte >= 0x80 && *byte < 0xA0 && win1252ToCodePoint(*byte) == *byte)) return 0;
    return byte;
}

}  // namespace qln::hook
