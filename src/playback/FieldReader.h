#pragma once

#include <cstddef>
#include <string_view>

namespace qln {

// Readers of the parameter fields of the macro language.  They run inside the playback loop: no allocation,
// no locale.

struct IntField {
    long value;
    bool clean;
};
// Integer field: leading blanks skipped, "+" or "-" allowed, "$" introduces hexadecimal digits.  A field with a
// stray character (anything after the number, trailing blanks included, or no digits at all) is not clean and
// yields the value of the digits in front of the stray character, without the sign.  Saturates, never overflows.
IntField readIntField(std::string_view field);

struct RealField {
    double value;
    bool clean;
};
// Real field: decimal with "." as the point, an optional exponent; leading blanks skipped.  Not clean: the value of
// the numeric prefix, without its sign.  Never NaN or infinite.
RealField readRealField(std::string_view field);

struct FreeText {
    std::string_view value;  // at most its first 255 characters
    std::size_t end;         // just past the closing ">", or the text's size when there is none
};
// A free-text field from `start` up to, not including, the next ">".
FreeText readFreeText(std::string_view text, std::size_t start);

}  // namespace qln
