#include "gui/dialogs/CentredDialog.h"

#include <QScreen>

namespace qln::gui {

CentredDialog::CentredDialog(QWidget* parent) : QDialog(parent) {}

void CentredDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace qln::gui
