#include "platform/sim/SimPrompts.h"

namespace qln::sim {

std::optional<std::string> SimPrompts::takeAnswer() {
    if (answers_.empty()) return std::nullopt;
    std::string a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

bool SimPrompts::showPause(const PauseDialogRequest& request) {
    ++pauses_;
    lastPause_ = request;
    trace_.add("pause left=" + std::to_string(request.left) + " top=" + std::to_string(request.top) +
               " message=" + EventTrace::quote(request.message));
    // A modal dialog keeps the messages flowing: what is already due may end it from outside.
    pauseOpen_ = true;
    closedFromOutside_.reset();
    if (!pauseActions_.empty()) {
        const auto action = std::move(pauseActions_.front());
        pauseActions_.pop_front();
        action();
    }
    pump_.processMessages();
    pauseOpen_ = false;
    if (closedFromOutside_) {
        trace_.add(*closedFromOutside_ ? "answer resume (hot key)" : "answer abort (hot key)");
        return *closedFromOutside_;
    }
    const bool resume = takeAnswer().value_or("resume") != "abort";
    trace_.add(resume ? "answer resume" : "answer abort");
    return resume;
}

void SimPrompts::closePause(bool resume) {
    if (pauseOpen_) closedFromOutside_ = resume;
}

void SimPrompts::showMessage(std::string_view caption, std::string_view text) {
    ++messages_;
    trace_.add("message " + EventTrace::quote(caption) + " " + EventTrace::quote(text));
    if (!answers_.empty() && answers_.front() == "ok") {
        answers_.pop_front();
        trace_.add("answer ok");
    }
}

std::string SimPrompts::showRepeatPrompt(
    const std::function<std::optional<std::string>(std::string_view text)>& check) {
    trace_.add("prompt \"Macro Repeat\"");
    for (;;) {
        // Without a scripted answer the user types 1.
        const std::string text = takeAnswer().value_or("1");
        trace_.add("answer " + EventTrace::quote(text));
        const auto error = check(text);
        if (!error) return text;
        trace_.add("message \"Error\" " + EventTrace::quote(*error));
    }
}

}  // namespace qln::sim
