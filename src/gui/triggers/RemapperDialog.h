#pragma once

#include <array>

#include "gui/dialogs/CentredDialog.h"
#include "ui/Remapper.h"

class QTableWidget;

namespace qln::gui {

// TDoVexmap, "Keyboard Remapper": four grids (`UpperGrid`, `LowerGrid`, `PunctGrid`, `NumGrid`) of each key and
// the character it produces.  A double click on the second column opens Select Character (not in browse mode).
// "&Ok" and Escape close it; then changed() tells whether the tables differ from those it opened with, and
// tables() holds them: the caller writes the remap file and installs or removes the remapping.
// "&Help": "tdovexmap.html".
class RemapperDialog : public CentredDialog {
    Q_OBJECT

public:
    explicit RemapperDialog(const Vexmap& tables, bool browseMode = false, ShowHelp help = {},
                            QWidget* parent = nullptr);

    bool changed() const { return logic_.changed(); }
    const Vexmap& tables() const { return logic_.tables(); }

private:
    void showGrid(Remapper::Grid grid);
    void cellDoubleClicked(Remapper::Grid grid, int row, int column);

    Remapper logic_;
    ShowHelp help_;
    std::array<QTableWidget*, Remapper::GridCount> grids_{};
};

}  // namespace qln::gui
