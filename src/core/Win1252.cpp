#include "core/Win1252.h"

#include <cstdint>

namespace qln {

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kUnmapped = '?';

char toByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < 32; ++i)
        if (kHigh[i] == c) return static_cast<char>(0x80 + i);
    return kUnmapped;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::string utf8ToWin1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i++]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            continue;
        }
        std::size_t more = 0;
        char32_t c = 0;
        // The second byte's range also rules out overlong forms, surrogates and code points past U+10FFFF.
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            c = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            c = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            out += kUnmapped;
            continue;
        }
        bool complete = true;
        for (std::size_t k = 0; k < more; ++k) {
            const auto b = i < utf8.size() ? static_cast<unsigned char>(utf8[i]) : 0;
            const bool ok = k == 0 ? (b >= low && b <= high) : isContinuation(b);
            if (!ok) {
                complete = false;  // the bytes read so far make one '?'; the offending byte starts afresh
                break;
            }
            c = (c << 6) | (b & 0x3F);
            ++i;
        }
        out += complete ? toByte(c) : kUnmapped;
    }
    return out;
}

std::string win1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, win1252ToCodePoint(b));
    }
    return out;
}

char32_t win1252ToCodePoint(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char32_t{b}; }

}  // namespace qln
