#include "playback/FieldReader.h"

#include <charconv>
#include <climits>
#include <limits>
#include <system_error>

namespace qln {

namespace {

constexpr long kExponentCap = 100000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::size_t skipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
}

}  // namespace

IntField readIntField(std::string_view field) {
    std::size_t i = skipBlanks(field);
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    const bool hex = i < field.size() && field[i] == '$';
    if (hex) ++i;

    const unsigned long base = hex ? 16 : 10;
    const auto limit = static_cast<unsigned long>(LONG_MAX);
    unsigned long magnitude = 0;
    bool overflow = false;
    std::size_t digits = 0;
    for (; i < field.size(); ++i, ++digits) {
        const int d = hex ? hexDigit(field[i]) : (isDigit(field[i]) ? field[i] - '0' : -1);
        if (d < 0) break;
        if (magnitude > (limit - static_cast<unsigned long>(d)) / base) {
            overflow = true;
            magnitude = limit;
        } else if (!overflow) {
            magnitude = magnitude * base + static_cast<unsigned long>(d);
        }
    }
    const long value = static_cast<long>(magnitude);
    if (digits == 0 || i != field.size() || overflow) return {value, false};
    return {negative ? -value : value, true};
}

RealField readRealField(std::string_view field) {
    std::size_t i = skipBlanks(field);
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';

    // Find the longest prefix that is a number, so that a stray character leaves the value in front of it.
    const std::size_t numberAt = i;
    std::size_t intDigits = 0;
    std::size_t leadingZeros = 0;
    for (; i < field.size() && isDigit(field[i]); ++i) {
        if (field[i] == '0' && leadingZeros == intDigits) ++leadingZeros;
        ++intDigits;
    }
    std::size_t fracDigits = 0;
    std::size_t fracZeros = 0;  // zeros right after the point, for a number below 1
    if (i < field.size() && field[i] == '.') {
        ++i;
        for (; i < field.size() && isDigit(field[i]); ++i) {
            if (field[i] == '0' && fracZeros == fracDigits) ++fracZeros;
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0) return {0.0, false};
    std::size_t numberEnd = i;
    long exponent = 0;  // saturated well beyond any double's range
    if (i < field.size() && (field[i] == 'E' || field[i] == 'e')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < field.size() && (field[j] == '+' || field[j] == '-')) exponentNegative = field[j++] == '-';
        if (j < field.size() && isDigit(field[j])) {
            for (; j < field.size() && isDigit(field[j]); ++j)
                if (exponent < kExponentCap) exponent = exponent * 10 + (field[j] - '0');
            if (exponentNegative) exponent = -exponent;
            numberEnd = j;
        }
    }

    double value = 0.0;
    const char* first = field.data() + numberAt;
    const char* last = field.data() + numberEnd;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    bool clean = numberEnd == field.size();
    if (result.ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large stops at the largest double rather than becoming infinity.  The
        // decimal position of the first significant digit tells which of the two it is.
        const long position = intDigits > leadingZeros ? static_cast<long>(intDigits - leadingZeros)
                                                       : -static_cast<long>(fracZeros);
        const bool huge = position + exponent > 0;
        value = huge ? std::numeric_limits<double>::max() : 0.0;
        clean = clean && !huge;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return {0.0, false};
    }
    if (value == 0.0) value = 0.0;  // no negative zero
    if (!clean) return {value, false};
    return {negative && value != 0.0 ? -value : value, true};
}

FreeText readFreeText(std::string_view text, std::size_t start) {
    if (start > text.size()) start = text.size();
    const std::size_t close = text.find('>', start);
    const std::size_t stop = close == std::string_view::npos ? text.size() : close;
    const std::string_view whole = text.substr(start, stop - start);
    return {whole.substr(0, kMaxFreeText), close == std::string_view::npos ? text.size() : close + 1, whole};
}

}  // namespace qln
