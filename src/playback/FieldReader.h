#pragma once

#include <cstddef>
#include <string_view>

namespace qln {

// A free-text field keeps at most this many characters; the reading position still moves past the rest.
inline constexpr std::size_t kMaxFreeText = 255;

// Readers for the parameter fields of macro tags.  They run inside the playback loop, so they never allocate
// and never consult the locale.

struct IntField {
    long value;
    bool clean;
};
// Integer field: leading blanks skipped, "+" or "-" allowed, "$" introduces hexadecimal digits.  A field with a
// stray character (anything after the number, trailing blanks included, or no digits at all) is not clean and
// yields the value of the digits in front of the stray character, without the sign.  An empty field: 0, not
// clean.  Values too large for a long saturate and make the field not clean.
IntField readIntField(std::string_view field);

struct RealField {
    double value;
    bool clean;
};
// Real field: decimal with "." as the point ("00.50", "1.5", "-2", "+3.", ".5", "1E2"); leading blanks skipped.
// Not clean: the value of the numeric prefix, without its sign (same rule as integers).  Never NaN or infinity:
// a value beyond the range of a double gives the largest finite double and is not clean.
RealField readRealField(std::string_view field);

// A free-text field starting at `start` in text: runs up to, not including, the next '>' or the end of text.
struct FreeText {
    std::string_view value;  // cut to its first 255 characters
    std::size_t end;         // index just past the closing '>' (or text.size() when there is none)
    std::string_view whole;  // the field uncut
};
FreeText readFreeText(std::string_view text, std::size_t start);

}  // namespace qln
