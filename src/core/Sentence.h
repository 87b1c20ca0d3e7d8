#pragma once

#include <string>
#include <string_view>

namespace qln {

// A text that ends as a sentence does, for messages that join it with another: reasons from the system and from
// our file errors ("PATH: is not a regular file") end without a full stop.
inline std::string sentence(std::string_view text) {
    std::string out(text);
    while (!out.empty() && (out.back() == ' ' || out.back() == '\n')) out.pop_back();
    if (!out.empty() && out.back() != '.' && out.back() != '!' && out.back() != '?') out += '.';
    return out;
}

}  // namespace qln
