#pragma once

#include "platform/PhysicalKeys.h"
#include "platform/Prompts.h"

namespace qln {

// The prompts of a playing macro, telling the keyboard side while each waits for the user: the user's keys then
// go to the prompt (or wherever the user types) instead of waiting for the macro's end.
class UserTurnPrompts final : public IPrompts {
public:
    UserTurnPrompts(IPrompts& prompts, IPhysicalKeys& keys) : prompts_(prompts), keys_(keys) {}

    bool showPause(const PauseDialogRequest& request) override {
        const Turn turn(*this);
        return prompts_.showPause(request);
    }
    void closePause(bool resume) override { prompts_.closePause(resume); }
    void showMessage(std::string_view caption, std::string_view text) override {
        const Turn turn(*this);
        prompts_.showMessage(caption, text);
    }
    std::string showRepeatPrompt(
        const std::function<std::optional<std::string>(std::string_view text)>& check) override {
        const Turn turn(*this);
        return prompts_.showRepeatPrompt(check);
    }

private:
    // Prompts may open inside one another (a message during a pause): the turn ends with the outermost.
    class Turn {
    public:
        explicit Turn(UserTurnPrompts& p) : p_(p) {
            if (p_.depth_++ == 0) p_.keys_.userTurn(true);
        }
        ~Turn() {
            if (--p_.depth_ == 0) p_.keys_.userTurn(false);
        }
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        UserTurnPrompts& p_;
    };

    IPrompts& prompts_;
    IPhysicalKeys& keys_;
    int depth_ = 0;
};

}  // namespace qln
