#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace qln::gui {

// The button rows of the program's dialogs, named as the design names them (`OkButton`, `CancelButton`,
// `HelpButton`), "&Ok" the default.
struct DialogButtons {
    QHBoxLayout* row = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* help = nullptr;
};

// "&Ok" alone; it accepts the dialog.  Centred, or at the right.
DialogButtons okButtonRow(QDialog* dialog, bool centred = true);
// "&Ok", "&Cancel" and "&Help" at the right.  Cancel rejects; `onOk` decides whether the dialog closes; Help
// calls `onHelp`.
DialogButtons okCancelHelpRow(QDialog* dialog, std::function<void()> onOk, std::function<void()> onHelp);

}  // namespace qln::gui
