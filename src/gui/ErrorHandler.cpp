#include "gui/ErrorHandler.h"

#include <QMessageBox>

#include <exception>

#include "core/Sentence.h"
#include "gui/Text.h"

namespace qln::gui {

void MessageBoxNotices::notice(std::string_view caption, std::string_view text) {
    const QMessageBox::Icon icon = caption == "Warning"  ? QMessageBox::Warning
                                   : caption == "Notice" ? QMessageBox::Information
                                   : caption.empty()     ? QMessageBox::Information
                                                         : QMessageBox::Critical;
    QMessageBox box(icon, toQString(caption), toQString(text), QMessageBox::Ok, parent_);
    box.setObjectName("MessageBox");
    box.exec();
}

void runGuarded(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        MessageBoxNotices(parent).notice("Error", sentence(e.what()));
    }
}

}  // namespace qln::gui
