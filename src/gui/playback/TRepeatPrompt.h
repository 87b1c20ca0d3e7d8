#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gui/playback/OnTopDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qln::gui {

// The repeat-count prompt ("Macro Repeat").  It only closes on a count the check accepts.
class TRepeatPrompt : public OnTopDialog {
    Q_OBJECT
public:
    // The check gets the edit text as Windows-1252 bytes and answers nothing or the message to show.
    using Check = std::function<std::optional<std::string>(std::string_view text)>;

    explicit TRepeatPrompt(Check check);

    // The text the check accepted; nothing until the user closed the prompt.
    const std::optional<std::string>& accepted() const { return accepted_; }

    // Every way of closing (Ok, Enter, Escape, the close box) ends up here.
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Check check_;
    std::optional<std::string> accepted_;
    QLabel* TheMessage;
    QLineEdit* NumReps;
    QPushButton* OkButton;
};

}  // namespace qln::gui
