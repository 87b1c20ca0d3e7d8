#pragma once

#include <QPointer>

#include "platform/Prompts.h"

namespace qln::gui {

class TPauseMacro;

// The prompts of a playing macro as Qt forms.  Each one is modal: its nested event loop keeps the program's
// messages, timers and X events flowing, so the hot key that resumes a pause still arrives.  Hiding the main
// window and giving the focus back afterwards is the caller's part.
class QtPrompts : public IPrompts {
public:
    bool showPause(const PauseDialogRequest& request) override;
    void closePause(bool resume) override;
    void showMessage(std::string_view caption, std::string_view text) override;
    // When the prompt ends without an answer (the program quits meanwhile) the count is "0".
    std::string showRepeatPrompt(
        const std::function<std::optional<std::string>(std::string_view text)>& check) override;

private:
    QPointer<TPauseMacro> pause_;
    bool messageOpen_ = false;
};

}  // namespace qln::gui
