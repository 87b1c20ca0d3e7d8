#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/MessagePump.h"
#include "platform/Prompts.h"
#include "platform/sim/EventTrace.h"

namespace qln::sim {

// Dialogs answered from a script: each takes the next scripted answer, and pauses resume when none is left.
class SimPrompts : public IPrompts {
public:
    SimPrompts(EventTrace& trace, IMessagePump& pump) : trace_(trace), pump_(pump) {}

    void addAnswer(std::string answer) { answers_.push_back(std::move(answer)); }
    // What the user does while the next pause dialog is open (press a hot key...), before it is answered.
    void addPauseAction(std::function<void()> action) { pauseActions_.push_back(std::move(action)); }
    // The next scripted answer, if any.
    std::optional<std::string> takeAnswer();

    bool showPause(const PauseDialogRequest& request) override;
    void closePause(bool resume) override;
    void showMessage(std::string_view caption, std::string_view text) override;
    std::string showRepeatPrompt(
        const std::function<std::optional<std::string>(std::string_view text)>& check) override;

    const PauseDialogRequest& lastPause() const { return lastPause_; }
    int pauses() const { return pauses_; }
    int messages() const { return messages_; }

private:
    EventTrace& trace_;
    IMessagePump& pump_;
    std::deque<std::string> answers_;
    std::deque<std::function<void()>> pauseActions_;
    PauseDialogRequest lastPause_;
    std::optional<bool> closedFromOutside_;
    bool pauseOpen_ = false;
    int pauses_ = 0;
    int messages_ = 0;
};

}  // namespace qln::sim
