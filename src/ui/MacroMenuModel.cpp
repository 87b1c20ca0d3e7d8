#include "ui/MacroMenuModel.h"

#include <algorithm>

#include "store/HotKeyNames.h"
#include "store/MacroTable.h"
#include "ui/QuickInfo.h"

namespace qln {

namespace {

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// A nickname, or for a macro without one what triggers it.
std::string nicknameOrTrigger(const MenuMacro& m) {
    if (!m.nickname.empty()) return m.nickname;
    if (m.hotKeyCode == HotKeyTimed) return "Timed Macro";
    if (m.hotKeyCode == HotKeySnipword) return m.snipword;
    return hotKeyName(m.hotKeyCode);
}

std::string scopeText(const MenuMacro& m) {
    switch (m.scope) {
        case ScopeGlobal:
            return "GLOBAL";
        case ScopePopupMenu:
            return "Popup Menu";
        case ScopeSystem:
            // Its name field holds the function digit, which would mean nothing here.
            return "SYSTEM";
        default:
            return m.windowName;
    }
}

int validIconSize(int size) {
    for (int allowed : {16, 24, 32, 48, 64})
        if (size == allowed) return size;
    return 16;
}

}  // namespace

MenuMacro menuMacroOf(int number, const MacroRecord& record) {
    MenuMacro m;
    m.number = number;
    m.nickname = record.nickname;
    m.snipword = record.snipword;
    m.windowName = record.windowName;
    if (record.scope != ScopePopupMenu && record.scope != ScopeSystem) m.text = record.text();
    m.iconName = record.iconName;
    m.hotKeyCode = record.hotKeyCode;
    m.scope = record.scope;
    return m;
}

MenuMacro menuMacroOf(int number, const MacroTable& table) {
    MenuMacro m;
    m.number = number;
    if (number < 1 || number > table.count()) return m;
    m.nickname = table.nickname(number);
    m.snipword = table.snipword(number);
    m.windowName = table.table().name(number);
    m.hotKeyCode = table.table().code(number);
    m.scope = table.table().scope(number);
    return m;
}

MacroMenuModel::MacroMenuModel(const MacroMenuRequest& request, const std::vector<MenuMacro>& macros,
                               const std::string& iconsFolder)
    : style_(request.style), iconSize_(validIconSize(request.iconSize)) {
    const std::size_t shown = std::min<std::size_t>(macros.size(), MaxEntries);
    for (std::size_t i = 0; i < shown; ++i) {
        const MenuMacro& m = macros[i];
        MenuEntry e;
        e.macro = m.number;
        e.key = i < 10 ? static_cast<char>('0' + i) : static_cast<char>('A' + (i - 10));
        e.hint = m.nickname;
        if (style_ == MenuStyle::MacroText) {
            // A Popup Menu macro has no text to show: its nickname stands in.
            e.label = m.text.empty() ? nicknameOrTrigger(m) : firstLine(m.text);
        } else {
            e.label = nicknameOrTrigger(m);
            e.scope = scopeText(m);
        }
        if (m.iconName == "MENU") {
            e.icon = MenuIcon::Menu;
        } else if (m.iconName == "MAIN") {
            e.icon = MenuIcon::Program;
        } else if (auto file = findIconFile(iconsFolder, m.iconName)) {
            e.icon = MenuIcon::File;
            e.iconFile = *file;
        } else {
            e.icon = m.scope == ScopePopupMenu ? MenuIcon::Menu : MenuIcon::Program;
        }
        entries_.push_back(std::move(e));
    }
}

// The lists' frames take 8 pixels: 18 rows make the 314 pixels of `Script`.
int MacroMenuModel::scriptHeight() const {
    return RowHeight * scriptRows() + 8;
}

int MacroMenuModel::script2Height() const {
    return twoLists() ? RowHeight * count() - 298 : 0;
}

int MacroMenuModel::clientWidth() const {
    if (style_ != MenuStyle::Icons) return twoLists() ? WideWidth : NarrowWidth;
    if (count() > 8) return ButtonsPerRow * buttonSide();
    if (count() >= 4) return count() * buttonSide();
    return 4 * buttonSide();
}

int MacroMenuModel::clientHeight() const {
    return iconRows() * buttonSide() + CancelRowHeight;
}

int MacroMenuModel::positionForKey(char32_t key) const {
    int position = -1;
    if (key >= U'0' && key <= U'9') position = static_cast<int>(key - U'0');
    else if (key >= U'A' && key <= U'Z') position = static_cast<int>(key - U'A') + 10;
    else if (key >= U'a' && key <= U'z') position = static_cast<int>(key - U'a') + 10;
    return position < count() ? position : -1;
}

int MacroMenuModel::macroAt(int position) const {
    return position >= 0 && position < count() ? entries_[static_cast<std::size_t>(position)].macro : -1;
}

std::string MacroMenuModel::fitText(const std::string& text, int width,
                                    const std::function<int(const std::string&)>& measure) {
    std::string fitted = text;
    while (!fitted.empty() && measure(fitted) > width) fitted.pop_back();
    return fitted;
}

MenuRect MacroMenuModel::place(int width, int height, const MenuRect& screen, int clickX) {
    MenuRect r{0, 0, width, height};
    if (clickX < 0) {
        r.x = screen.x + (screen.width - width) / 2;
        r.y = screen.y + (screen.height - height) / 2;
    } else {
        r.y = screen.y + screen.height - height;
        r.x = clickX;
        if (r.x + width > screen.x + screen.width) r.x -= width;
        // A click reported beyond the screen (a panel on another monitor) still leaves the window on this one.
        r.x = std::min(r.x, screen.x + screen.width - width);
    }
    // A window larger than the screen keeps its top left corner (and its Cancel button's row) on it.
    r.x = std::max(r.x, screen.x);
    r.y = std::max(r.y, screen.y);
    return r;
}

}  // namespace qln
