#include "gui/playback/QtPrompts.h"

#include <memory>

#include "gui/playback/TOnTopMessage.h"
#include "gui/playback/TPauseMacro.h"
#include "gui/playback/TRepeatPrompt.h"

namespace qln::gui {

bool QtPrompts::showPause(const PauseDialogRequest& request) {
    const auto dialog = std::make_unique<TPauseMacro>(request);
    const QPointer<TPauseMacro> outer = pause_;
    pause_ = dialog.get();
    const int result = dialog->exec();
    pause_ = outer;
    return result == TPauseMacro::Resume;
}

void QtPrompts::closePause(bool resume) {
    if (pause_ != nullptr && pause_->isVisible()) pause_->done(resume ? TPauseMacro::Resume : TPauseMacro::Abort);
}

void QtPrompts::showMessage(std::string_view caption, std::string_view text) {
    // Messages never stack: a second one while the first is up is dropped.
    if (messageOpen_) return;
    messageOpen_ = true;
    const auto dialog = std::make_unique<TOnTopMessage>(caption, text);
    dialog->exec();
    messageOpen_ = false;
}

std::string QtPrompts::showRepeatPrompt(const std::function<std::optional<std::string>(std::string_view text)>& check) {
    const auto dialog = std::make_unique<TRepeatPrompt>(check);
    dialog->exec();
    return dialog->accepted().value_or("0");
}

}  // namespace qln::gui
