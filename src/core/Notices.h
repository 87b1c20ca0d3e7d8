#pragma once

#include <string_view>

namespace qln {

// Where logic reports a message for the user (caption and text); the GUI shows it in a message box, the
// command-line tools print it, tests collect it.
class INotices {
public:
    virtual ~INotices() = default;
    virtual void notice(std::string_view caption, std::string_view text) = 0;
};

}  // namespace qln
