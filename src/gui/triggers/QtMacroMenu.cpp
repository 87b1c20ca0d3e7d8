#include "gui/triggers/QtMacroMenu.h"

#include "gui/triggers/MacroMenuDialog.h"
#include "store/MacroTable.h"

namespace qln::gui {

QtMacroMenu::QtMacroMenu(const MacroTable& table, MacroReader read, std::string iconsFolder, QWidget* parent)
    : table_(table), read_(std::move(read)), iconsFolder_(std::move(iconsFolder)), parent_(parent) {}

int QtMacroMenu::showMacroMenu(const MacroMenuRequest& request) {
    std::vector<MenuMacro> macros;
    for (int n : request.macros) {
        if (macros.size() == MacroMenuModel::MaxEntries) break;
        const std::optional<MacroRecord> record = read_ ? read_(n) : std::nullopt;
        macros.push_back(record ? menuMacroOf(n, *record) : menuMacroOf(n, table_));
    }
    MacroMenuDialog dialog(MacroMenuModel(request, macros, iconsFolder_), request.position, parent_);
    dialog.exec();
    return dialog.chosen();
}

}  // namespace qln::gui
