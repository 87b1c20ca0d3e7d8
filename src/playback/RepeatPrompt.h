#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qln {

// The repeat-count prompt's logic ("Macro Repeat"): what closing it with a text does.
struct RepeatPrompt {
    static constexpr const char* Caption = "Macro Repeat";
    static constexpr const char* InvalidMessage = "Invalid numeric value entered.  Please Correct";
    static constexpr std::size_t MaxChars = 4;

    // nothing when the text, trimmed of blanks, reads cleanly as an integer; otherwise the error message.
    static std::optional<std::string> check(std::string_view text);
    // The count an accepted text gives, as a 16-bit number ("-1" is 65535).
    static std::uint16_t count(std::string_view text);
};

}  // namespace qln
