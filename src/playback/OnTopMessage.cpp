#include "playback/OnTopMessage.h"

#include "playback/PromptScope.h"

namespace qln {

void OnTopMessage::DoAMessage(std::string_view caption, std::string_view text) {
    if (open_) return;
    const PromptScope scope(platform_, useTray_);
    open_ = true;
    try {
        platform_.prompts.showMessage(caption.empty() ? "Message" : caption, text);
    } catch (...) {
        open_ = false;
        throw;
    }
    open_ = false;
}

}  // namespace qln
