#include "gui/ErrorHandler.h"

#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <string>

#include "core/Sentence.h"
#include "gui/Ending.h"
#include "gui/Text.h"

namespace qln::gui {

void MessageBoxNotices::notice(std::string_view caption, std::string_view text) {
    // Nobody is to wait for a box while the program ends.
    if (ending::underway()) {
        const std::string line =
            "quillon: " + std::string(caption) + (caption.empty() ? "" : ": ") + std::string(text) + "\n";
        std::fputs(line.c_str(), stderr);
        return;
    }
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
