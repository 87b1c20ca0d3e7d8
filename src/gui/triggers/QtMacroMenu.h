#pragma once

#include <functional>
#include <optional>
#include <string>

#include "store/MacroRecord.h"
#include "triggers/MacroMenu.h"

class QWidget;

namespace qln {
class MacroTable;
}

namespace qln::gui {

// Reads macro n's record from the macro file; nothing when it cannot be read.
using MacroReader = std::function<std::optional<MacroRecord>(int macro)>;

// The macro menu as the "Choose A Macro" window: each showing builds a MacroMenuDialog from the listed macros'
// records (the table's names stand in for a record that cannot be read) and runs it modally.  Giving the focus
// back to the window that was in front is the caller's part.
class QtMacroMenu : public IMacroMenu {
public:
    QtMacroMenu(const MacroTable& table, MacroReader read, std::string iconsFolder, QWidget* parent = nullptr);

    int showMacroMenu(const MacroMenuRequest& request) override;

private:
    const MacroTable& table_;
    MacroReader read_;
    std::string iconsFolder_;
    QWidget* parent_;
};

}  // namespace qln::gui
