#pragma once

#include <vector>

namespace qln {

// How a macro menu draws its entries: the start of each macro's text, one icon button per macro, or the
// nickname and scope.
enum class MenuStyle { MacroText, Icons, NicknameAndScope };

// One showing of the "Choose A Macro" window.
struct MacroMenuRequest {
    std::vector<int> macros;  // macro numbers (1-based) in menu order, at most 36
    MenuStyle style = MenuStyle::NicknameAndScope;
    int iconSize = 16;   // pixels: 16, 24, 32, 48 or 64
    int position = -1;   // screen X of the tray icon click that opened it; -1 when a hot key opened it
};

// The window that lets the user choose a macro; the GUI implements it, tests answer from a script.
class IMacroMenu {
public:
    virtual ~IMacroMenu() = default;
    // Shows the menu modally and gives the focus back afterwards; the chosen macro number, or -1 when cancelled.
    virtual int showMacroMenu(const MacroMenuRequest& request) = 0;
};

}  // namespace qln
