#include "playback/FieldReader.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qln {

namespace {

constexpr long kLimit = std::numeric_limits<long>::max() / 16 - 16;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

IntField readIntField(std::string_view f) {
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) negative = f[i++] == '-';
    const bool hex = i < f.size() && f[i] == '$';
    if (hex) ++i;
    const int base = hex ? 16 : 10;
    long value = 0;
    std::size_t digits = 0;
    for (; i < f.size(); ++i, ++digits) {
        const int d = hex ? hexDigit(f[i]) : (f[i] >= '0' && f[i] <= '9' ? f[i] - '0' : -1);
        if (d < 0) break;
        value = value > kLimit ? kLimit : value * base + d;
    }
    if (digits == 0 || i != f.size()) return {value, false};
    return {negative ? -value : value, true};
}

RealField readRealField(std::string_view f) {
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) negative = f[i++] == '-';
    double mantissa = 0;
    int scale = 0;  // power of ten applied to the mantissa
    std::size_t digits = 0;
    for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i, ++digits) mantissa = mantissa * 10 + (f[i] - '0');
    if (i < f.size() && f[i] == '.') {
        for (++i; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i, ++digits) {
            mantissa = mantissa * 10 + (f[i] - '0');
            --scale;
        }
    }
    bool clean = digits > 0;
    if (clean && i < f.size() && (f[i] == 'e' || f[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < f.size() && (f[j] == '+' || f[j] == '-')) expNegative = f[j++] == '-';
        int exponent = 0;
        std::size_t expDigits = 0;
        for (; j < f.size() && f[j] >= '0' && f[j] <= '9'; ++j, ++expDigits) exponent = std::min(exponent * 10 + (f[j] - '0'), 9999);
        if (expDigits > 0) {
            scale += expNegative ? -exponent : exponent;
            i = j;
        }
    }
    clean = clean && i == f.size();
    double value = mantissa * std::pow(10.0, std::clamp(scale, -400, 400));
    if (!std::isfinite(value)) value = std::numeric_limits<double>::max();
    return {clean && negative ? -value : value, clean};
}

FreeText readFreeText(std::string_view text, std::size_t start) {
    start = std::min(start, text.size());
    const std::size_t close = text.find('>', start);
    const std::size_t fieldEnd = close == std::string_view::npos ? text.size() : close;
    const std::size_t length = std::min<std::size_t>(fieldEnd - start, 255);
    return {text.substr(start, length), close == std::string_view::npos ? text.size() : close + 1};
}

}  // namespace qln
