#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"
#include "store/MacroTable.h"

namespace qln {

// The start modes that only let the user look at the list ("/B" and "/BA").
enum class RestrictedMode { None, Browse, BrowseAll };

// Keys the list reacts to while it has the focus; a typed character comes as Character with its byte.
enum class ListKey {
    Character,
    Backspace,
    Tab,
    LineFeed,
    Enter,
    Escape,
    Ctrl,
    Alt,
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Right,
    Up,
    Down,
    Other
};

// The main window's macro list without its widget: which macro each grid row shows, the cell texts, the order of
// the rows, the selected row, the type-ahead search and the header's right click.  Grid row 0 is the header;
// rows 1..N show the N macros of the table.  Texts are Windows-1252.
class MacroList {
public:
    MacroList(const MacroTable& table, Settings& settings) : table_(table), settings_(settings) {}

    // Rebuilds the rows from the table and sorts them.  The macro that was selected stays selected when it still
    // exists; otherwise the selected row number stays (cut to the last row).
    void fill();

    int rowCount() const { return static_cast<int>(rows_.size()) + 1; }  // header included
    // The macro number shown on a body row; 0 for the header or a row outside the grid.
    int macroAt(int row) const;
    // The body row showing a macro number; 0 when none does.
    int rowOf(int macro) const;
    std::string cellText(int row, int column) const;  // row 0 gives the header texts
    bool deactivated(int row) const;                  // a body row of a macro that is not active

    int selectedRow() const { return selected_; }  // 1..N; 0 only when the list is empty
    int selectedMacro() const { return macroAt(selected_); }
    // Selects a body row; anything else is ignored.
    void selectRow(int row);

    // Type-ahead: returns true when the selected row changed.
    bool key(ListKey key, char c = 0);
    const std::string& typeAhead() const { return typed_; }

    // A right click on a header cell.  Returns true when it changed the primary sort key: the list is then sorted
    // again (selection kept) and the settings file must be written.
    bool headerRightClick(int column);

    // The sort key of a macro number as the current sort settings build it.
    std::string sortKey(int macro) const;

private:
    void sortRows();
    void search();

    const MacroTable& table_;
    Settings& settings_;
    std::vector<int> rows_;  // rows_[row - 1] is the macro number on that row
    int selected_ = 0;
    std::string typed_;
};

// What column 1 shows for a macro: the hot key's name, "Timed Macro", or the Snipword name.
std::string activationText(const MacroTable& table, int macro);
// What column 3 shows for a macro.
std::string scopeText(const MacroTable& table, int macro);

// The longest start of the text that the cell shows: characters are taken off its end one by one until the text
// is no wider than the cell less 2 pixels.  No ellipsis.
std::string fitCellText(std::string text, int cellWidth, const std::function<int(std::string_view)>& textWidth);

// The state of the row commands of the main window for the selected macro (0 when none).
struct RowCommands {
    std::string modifyCaption;  // the modify-directly command
    std::string modifyHint;     // its tool bar hint
    bool recapture = false;
    bool scriptEditor = false;
    bool copy = false;
    bool modifyDirectly = false;
    bool remove = false;
    bool activate = false;
};
RowCommands CheckTimeItem(const MacroTable& table, int macro, RestrictedMode mode);

// The activate/deactivate command as it reads for a macro's state.
struct ActivateCommand {
    std::string caption;
    std::string hint;
};
ActivateCommand activateCommand(bool active);

// Whether clicks and double clicks on a row do anything in a start mode.
inline bool rowClicksAllowed(RestrictedMode mode) {
    return mode == RestrictedMode::None;
}

}  // namespace qln
