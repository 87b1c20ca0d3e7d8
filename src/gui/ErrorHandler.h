#pragma once

#include <functional>
#include <string_view>

#include "core/Notices.h"

class QWidget;

namespace qln::gui {

// The program's general error handler: a failure a command raises (a file that cannot be written, a damaged one)
// is shown in a message box with the caption "Error", and the program goes on.  Qt's event loop must never see an
// exception.
void runGuarded(QWidget* parent, const std::function<void()>& command);

// Messages of the logic, as message boxes with the design's caption.
class MessageBoxNotices : public INotices {
public:
    explicit MessageBoxNotices(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void notice(std::string_view caption, std::string_view text) override;

private:
    QWidget* parent_;
};

}  // namespace qln::gui
