// Conversion between UTF-8 and the Windows-1252 bytes of macro text.
#include <gtest/gtest.h>

#include "core/Win1252.h"

namespace qln {
namespace {

struct Case {
    const char* utf8;
    std::string win1252;
};

TEST(Win1252, BothWays) {
    const Case cases[] = {
        {"abc", "abc"},
        {"\xC3\xA9", "\xE9"},
        {"\xE2\x82\xAC", "\x80"},          // euro sign
        {"\xE2\x80\x9C" "x" "\xE2\x80\x9D", "\x93x\x94"},
        {"\xC5\xB8", "\x9F"},              // Y with diaeresis
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
        {"\xC2\x81", "\x81"},              // undefined in the code page, kept as itself
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8ToWin1252(c.utf8), c.win1252) << c.utf8;
        EXPECT_EQ(win1252ToUtf8(c.win1252), c.utf8) << c.utf8;
    }
}

TEST(Win1252, WhatItCannotHoldBecomesAQuestionMark) {
    const Case cases[] = {
        {"\xE4\xB8\xAD", "?"},             // a CJK character
        {"\xF0\x9F\x98\x80", "?"},         // an emoji
        {"\xC3", "?"},                     // cut short
        {"\xC3x", "?x"},
        {"\xFF\xFE", "??"},
        {"\xC0\xAF", "??"},                // overlong
        {"\xED\xA0\x80", "???"},           // a surrogate
    };
    for (const Case& c : cases) EXPECT_EQ(utf8ToWin1252(c.utf8), c.win1252) << c.utf8;
}

TEST(Win1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(utf8ToWin1252(win1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace qln
