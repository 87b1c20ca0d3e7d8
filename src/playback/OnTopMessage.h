#pragma once

#include <string_view>

#include "platform/Platform.h"

namespace qln {

// The one stay-on-top message window of the program.  Messages never stack: while one is open, another
// request shows nothing.
class OnTopMessage {
public:
    explicit OnTopMessage(Platform& platform) : platform_(platform) {}

    void setUseTray(bool useTray) { useTray_ = useTray; }
    bool isOpen() const { return open_; }

    // Shows the message and returns when the user has dismissed it.
    void DoAMessage(std::string_view caption, std::string_view text);

private:
    Platform& platform_;
    bool useTray_ = false;
    bool open_ = false;
};

}  // namespace qln
