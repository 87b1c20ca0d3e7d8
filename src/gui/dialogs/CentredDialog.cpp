#include "gui/dialogs/CentredDialog.h"

#include <QScreen>

#include "gui/ScreenPlace.h"

namespace qln::gui {

CentredDialog::CentredDialog(QWidget* parent) : QDialog(parent) {}

void CentredDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
    // A dialog taller than the screen (a big font, a high scale) keeps its title bar and buttons within reach.
    keepOnScreenOnceFramed(this);
}

}  // namespace qln::gui
