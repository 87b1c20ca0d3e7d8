#include "gui/LooseMessage.h"

#include <QMessageBox>

#include "gui/Text.h"

namespace qln::gui {

void showLooseMessage(std::string_view caption, std::string_view text, QWidget* parent) {
    auto* box = new QMessageBox(caption == "Warning" ? QMessageBox::Warning : QMessageBox::Information,
                                toQString(caption), toQString(text), QMessageBox::Ok, parent);
    box->setObjectName("MessageBox");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

}  // namespace qln::gui
