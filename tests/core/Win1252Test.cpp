// The code page of macro text against UTF-8: the exact 0x80-0x9F block, and damaged UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "core/Win1252.h"

namespace qln {
namespace {

// Each byte 0x80..0x9F and its character in UTF-8.
const char* const kHighBlock[32] = {
    "\xE2\x82\xAC", "\xC2\x81",     "\xE2\x80\x9A", "\xC6\x92",     "\xE2\x80\x9E", "\xE2\x80\xA6", "\xE2\x80\xA0",
    "\xE2\x80\xA1", "\xCB\x86",     "\xE2\x80\xB0", "\xC5\xA0",     "\xE2\x80\xB9", "\xC5\x92",     "\xC2\x8D",
    "\xC5\xBD",     "\xC2\x8F",     "\xC2\x90",     "\xE2\x80\x98", "\xE2\x80\x99", "\xE2\x80\x9C", "\xE2\x80\x9D",
    "\xE2\x80\xA2", "\xE2\x80\x93", "\xE2\x80\x94", "\xCB\x9C",     "\xE2\x84\xA2", "\xC5\xA1",     "\xE2\x80\xBA",
    "\xC5\x93",     "\xC2\x9D",     "\xC5\xBE",     "\xC5\xB8",
};

TEST(Win1252, HighBlockBothWays) {
    for (int i = 0; i < 32; ++i) {
        const std::string byte(1, static_cast<char>(0x80 + i));
        EXPECT_EQ(win1252ToUtf8(byte), kHighBlock[i]) << std::hex << 0x80 + i;
        EXPECT_EQ(utf8ToWin1252(kHighBlock[i]), byte) << std::hex << 0x80 + i;
    }
}

TEST(Win1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWin1252(win1252ToUtf8(all)), all);
}

TEST(Win1252, LatinOneIsItself) {
    const struct {
        std::string_view bytes;
        std::string_view utf8;
    } cases[] = {
        {"abc", "abc"},
        {std::string_view("\0", 1), std::string_view("\0", 1)},
        {"\x7F", "\x7F"},
        {"\xA0", "\xC2\xA0"},
        {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},
        {"\xFF", "\xC3\xBF"},
        {"<DELAY:00.50>\r\n", "<DELAY:00.50>\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win1252ToUtf8(c.bytes), c.utf8);
        EXPECT_EQ(utf8ToWin1252(c.utf8), c.bytes);
    }
}

TEST(Win1252, WhatHasNoByteOrIsMalformedBecomesQuestionMarks) {
    const struct {
        std::string_view utf8;
        std::string_view bytes;
    } cases[] = {
        {"\xC2\x80", "?"},                   // U+0080: a control the code page puts elsewhere
        {"\xC2\x9F", "?"},
        {"\xE4\xB8\xAD", "?"},               // CJK
        {"a\xF0\x9F\x98\x80z", "a?z"},       // outside the BMP
        {"\xEF\xBB\xBF", "?"},               // a byte-order mark is a character like any other
        {"\x80", "?"},                       // stray continuation byte
        {"\xC3", "?"},                       // cut short at the end
        {"\xE2\x82", "?"},
        {"\xE2\x82" "A", "?A"},              // cut short mid-text: the next character is kept
        {"\xC3\xC3\xA9", "?\xE9"},
        {"\xC0\x80", "??"},                  // overlong NUL
        {"\xC1\xBF", "??"},
        {"\xE0\x80\xAF", "???"},             // overlong "/"
        {"\xED\xA0\x80", "???"},             // surrogate
        {"\xF4\x90\x80\x80", "????"},        // past U+10FFFF
        {"\xF5\x80", "??"},
        {"\xFF\xFE", "??"},
        {"\xF0\x9F\x98", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToWin1252(c.utf8), c.bytes) << c.utf8;
}

}  // namespace
}  // namespace qln
