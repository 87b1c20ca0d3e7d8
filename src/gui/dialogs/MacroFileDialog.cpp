#include "gui/dialogs/MacroFileDialog.h"

namespace qln::gui {

MacroFileDialog::MacroFileDialog(Purpose purpose, const QString& folder, QWidget* parent)
    : QFileDialog(parent, purpose == Purpose::Open ? "Open Quillon File" : "New Quillon File", folder) {
    setOption(QFileDialog::DontUseNativeDialog);
    // Without QDir::CaseSensitive the dialog's name filters match either case.
    setFilter(filter() & ~QDir::CaseSensitive);
    setNameFilter("Quillon (*.QLN)");
    setDefaultSuffix("QLN");
    if (purpose == Purpose::Open) {
        setObjectName("OpenDialog");
        setFileMode(QFileDialog::ExistingFile);
    } else {
        setObjectName("SaveDialog");
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
    }
}

}  // namespace qln::gui
