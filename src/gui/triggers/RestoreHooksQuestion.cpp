#include "gui/triggers/RestoreHooksQuestion.h"

#include <QMessageBox>

namespace qln::gui {

bool askRestoreHooks(HooksToRestore hooks, QWidget* parent) {
    const bool keyboard = hooks == HooksToRestore::Keyboard;
    QMessageBox box(QMessageBox::Question, keyboard ? RestoreKeyboardHooksTitle : RestoreMouseHooksTitle,
                    keyboard ? RestoreKeyboardHooksQuestion : RestoreMouseHooksQuestion,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(keyboard ? "RestoreKeyboardHooks" : "RestoreMouseHooks");
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace qln::gui
