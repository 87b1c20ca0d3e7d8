#pragma once

#include "gui/dialogs/CentredDialog.h"

class QTableWidget;

namespace qln::gui {

// TDoSwapSpecial, "Select Character": the characters 32..255 (Windows-1252) in a grid of 28 columns and 8 rows
// (`CharGrid`), `current` selected.  "&Ok" or a double click takes the selected character; "&Cancel" takes
// nothing.  It stands just below (or above) the row it was opened from, given in screen coordinates, and stays on
// the screen.  "&Help": "tdoswapspecial.html".
class SelectCharacterDialog : public QDialog {
    Q_OBJECT

public:
    SelectCharacterDialog(int current, int rowTop, int rowHeight, ShowHelp help = {}, QWidget* parent = nullptr);

    // The character taken (32..255); 0 when none was.
    int chosen() const { return chosen_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void take(int row, int column);

    QTableWidget* grid_ = nullptr;
    int rowTop_;
    int rowHeight_;
    ShowHelp help_;
    int chosen_ = 0;
};

}  // namespace qln::gui
