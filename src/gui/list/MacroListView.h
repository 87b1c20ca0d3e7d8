#pragma once

#include <QTableView>

#include "core/Settings.h"
#include "store/MacroTable.h"
#include "ui/MacroList.h"

namespace qln::gui {

class MacroListDelegate;
class MacroListHeader;
class MacroListModel;

// The main window's macro list (objectName "KeyList"): a grid of Activation, Nickname and Scope under a fixed
// header row, one row per macro in the order the sort settings give, the row number in column 0.  Rows are grid
// rows: 1..N for the N macros (0 is the header).
//
// It reads the table and the settings it is given and changes only these settings: Primary Sort (a right click
// on a header when Sort Header is set) and the column widths (the user resizing a column); it signals both so
// that the owner writes the settings file.  It never opens a dialog: clicks and right clicks are signals, which
// the owner ignores in the restricted start modes (rowClicksAllowed).  The table and the settings must outlive
// the view.
class MacroListView : public QTableView {
    Q_OBJECT
public:
    MacroListView(const MacroTable& table, Settings& settings, QWidget* parent = nullptr);
    ~MacroListView() override;

    // After a load or any edit of the table: rows rebuilt from the table and sorted; the selected macro stays
    // selected (by macro number), else the selected row number stays, cut to the last row.  No signal.
    void refill();
    // After the sort settings changed (the Sort Order dialog): sorted again the same way.  No signal.
    void resort() { refill(); }
    // After the grid fonts or column widths changed in the settings: fonts, row heights, column widths.
    void applySettings();

    int rowCount() const;          // grid rows, the header included: N + 1
    int selectedRow() const;       // 1..N; 0 only when the list is empty
    int selectedMacro() const;     // macro number of the selected row; 0 when none
    void setSelectedRow(int row);  // selects a body row (1..N) and shows it; anything else is ignored.  No signal.
    const MacroList& list() const { return list_; }

    // Type-ahead is the list's own: Qt's item search stays out.
    void keyboardSearch(const QString&) override {}

signals:
    // The user moved the selection (click, keys, type-ahead): the owner updates the row commands.
    void selectedMacroChanged(int macro);
    // A left click or a double click on a body row.
    void rowClicked(int macro);
    void rowDoubleClicked(int macro);
    // The right button pressed and released on the same body row: the quick information of that macro.
    void quickInfoRequested(int macro);
    // A header right click changed Primary Sort (the list is sorted again already): write the settings file.
    void sortSettingsChanged();
    // The user resized a column (its width is in the settings already): write the settings file.
    void columnWidthsChanged();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showSelection();
    void userMoved();
    bool typeAhead(ListKey key, char c = 0);
    void currentRowChanged(const QModelIndex& current);
    void headerRightClicked(int section);
    void sectionResized(int section, int newSize);

    Settings& settings_;
    MacroList list_;
    MacroListModel* model_;
    MacroListHeader* header_;
    MacroListDelegate* delegate_;
    bool syncing_ = false;   // the selection is being set from the list
    bool applying_ = false;  // the widths are being set from the settings
    bool widthsChanged_ = false;
    int rightPressRow_ = 0;  // grid row under the right button's press
};

}  // namespace qln::gui
