#pragma once

#include <optional>
#include <string_view>

#include "platform/Prompts.h"
#include "platform/Types.h"

namespace qln {

// Where a "<PAUSE:" tag asks the dialog to stand, and its message.
struct PauseAt {
    long top = 0;
    long left = 0;
    std::string_view message;
};

// Works out the pause dialog's place, size and texts: centred for "<PAUSE>", at the tag's corner for
// "<PAUSE:" (pulled back so that it fits on the screen, never pushed past the top or left edge).
PauseDialogRequest pauseRequest(ScreenSize screen, const std::optional<PauseAt>& at, std::string_view nickname,
                                std::uint16_t hotKeyCode);

// Height of the message label for a message of `length` characters; 0 without a message.
int pauseMessageHeight(std::size_t length);

}  // namespace qln
