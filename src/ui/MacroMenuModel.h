#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/MacroRecord.h"
#include "triggers/MacroMenu.h"

namespace qln {

class MacroTable;

// What the macro menu needs to know of one listed macro.
struct MenuMacro {
    int number = 0;
    std::string nickname;
    std::string snipword;
    std::string windowName;
    std::string text;  // the macro text; empty for a Popup Menu macro, whose text field holds its item list
    std::string iconName;
    std::uint16_t hotKeyCode = 0;
    std::int16_t scope = ScopeGlobal;
};
MenuMacro menuMacroOf(int number, const MacroRecord& record);
// From the table alone, for a macro whose record cannot be read: no text and no icon.
MenuMacro menuMacroOf(int number, const MacroTable& table);

enum class MenuIcon { Program, Menu, File };

// One entry of the "Choose A Macro" window, texts in Windows-1252.
struct MenuEntry {
    int macro = 0;
    char key = '0';       // '0'..'9', then 'A'..'Z'
    std::string label;    // the start of the macro text, or the nickname (or its trigger when it has none)
    std::string scope;    // nickname-and-scope style: "GLOBAL", "Popup Menu" or the window or program name
    std::string hint;     // icon style: the nickname
    MenuIcon icon = MenuIcon::Program;
    std::string iconFile;  // when icon is File
};

struct MenuRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const MenuRect&) const = default;
};

// The "Choose A Macro" window (TDoAMenu) without its widgets: the entries, their keys, the sizes of its parts and
// its place on the screen.
class MacroMenuModel {
public:
    static constexpr int MaxEntries = 36;
    static constexpr int RowHeight = 17;
    static constexpr int ListRows = 18;  // rows of `Script`; more go to `Script2`
    static constexpr int NarrowWidth = 300;
    static constexpr int WideWidth = 604;
    static constexpr int ButtonsPerRow = 9;
    static constexpr int CancelRowHeight = 22;

    // Macros beyond 36 are left out.  Icon files are looked for in iconsFolder.
    MacroMenuModel(const MacroMenuRequest& request, const std::vector<MenuMacro>& macros,
                   const std::string& iconsFolder);

    MenuStyle style() const { return style_; }
    const std::vector<MenuEntry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }

    // Text styles.
    bool twoLists() const { return count() > ListRows; }
    int scriptRows() const { return twoLists() ? ListRows : count(); }
    int scriptHeight() const;   // 17 per row and the frame
    int script2Height() const;  // 0 with one list
    // Icon style.
    int buttonSide() const { return iconSize_ + 4; }
    int iconRows() const { return (count() + ButtonsPerRow - 1) / ButtonsPerRow; }
    // The client area: the text styles' width (their height follows the lists), or the icon style's size.
    int clientWidth() const;
    int clientHeight() const;  // icon style only

    // The position a key chooses: digits 0..9, letters (either case) 10..35; -1 for any other key and for a
    // position beyond the list.
    int positionForKey(char32_t key) const;
    // The macro at a position, -1 when there is none.
    int macroAt(int position) const;

    // The label cut from its end until `measure` says it fits `width` pixels.
    static std::string fitText(const std::string& text, int width,
                               const std::function<int(const std::string&)>& measure);
    // Where the nickname's column ends and the scope's begins in a row of the given width.
    static int scopeColumn(int rowWidth) { return rowWidth * 9 / 14; }

    // The window's place.  From a hot key (clickX < 0): centred on the screen.  From a tray icon: its bottom on
    // the screen's bottom, its left edge at the click, moved left by its width when it would leave the screen,
    // never left of the screen.
    static MenuRect place(int width, int height, const MenuRect& screen, int clickX);

private:
    MenuStyle style_;
    int iconSize_;
    std::vector<MenuEntry> entries_;
};

}  // namespace qln
