// The simulated US layout answers as Windows does.
#include <gtest/gtest.h>

#include "platform/sim/SimKeyboardLayout.h"

namespace qln::sim {
namespace {

// Expected VkKeyScan answer for every character 1..127.
std::int16_t expectedScan(int c) {
    constexpr std::int16_t S = 0x100, C = 0x200;
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 32);
    if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(S | c);
    if (c >= '0' && c <= '9') return static_cast<std::int16_t>(c);
    switch (c) {
        case 8: return 8;
        case 9: return 9;
        case 10: return C | 13;
        case 13: return 13;
        case 27: return C | 219;
        case 28: return C | 220;
        case 29: return C | 221;
        case 30: return C | S | 54;
        case 31: return C | S | 189;
        case ' ': return 32;
        case '!': return S | 49;
        case '"': return S | 222;
        case '#': return S | 51;
        case '$': return S | 52;
        case '%': return S | 53;
        case '&': return S | 55;
        case '\'': return 222;
        case '(': return S | 57;
        case ')': return S | 48;
        case '*': return S | 56;
        case '+': return S | 187;
        case ',': return 188;
        case '-': return 189;
        case '.': return 190;
        case '/': return 191;
        case ':': return S | 186;
        case ';': return 186;
        case '<': return S | 188;
        case '=': return 187;
        case '>': return S | 190;
        case '?': return S | 191;
        case '@': return S | 50;
        case '[': return 219;
        case '\\': return 220;
        case ']': return 221;
        case '^': return S | 54;
        case '_': return S | 189;
        case '`': return 192;
        case '{': return S | 219;
        case '|': return S | 220;
        case '}': return S | 221;
        case '~': return S | 192;
        case 127: return C | 8;
        default: return static_cast<std::int16_t>(C | (64 + c));  // the other control characters: Ctrl + letter
    }
}

TEST(SimKeyboardLayout, VkKeyScanForEveryCharacterBelow128) {
    const SimKeyboardLayout layout;
    for (int c = 1; c < 128; ++c) EXPECT_EQ(layout.vkKeyScan(static_cast<std::uint8_t>(c)), expectedScan(c)) << c;
    EXPECT_EQ(layout.vkKeyScan(3), 0x243);
    EXPECT_EQ(layout.vkKeyScan(0), -1);
    for (int c = 128; c < 256; ++c) EXPECT_EQ(layout.vkKeyScan(static_cast<std::uint8_t>(c)), -1) << c;
}

TEST(SimKeyboardLayout, ScanCodes) {
    const SimKeyboardLayout layout;
    const std::pair<int, int> cases[] = {{'A', 0x1E}, {'Z', 0x2C}, {'1', 0x02}, {'0', 0x0B}, {13, 0x1C},
                                         {16, 0x2A},  {17, 0x1D},  {18, 0x38},  {20, 0x3A},  {112, 0x3B},
                                         {123, 0x58}, {96, 0x52},  {105, 0x49}, {188, 0x33}, {222, 0x28},
                                         {2, 0},      {43, 0}};
    for (const auto& [vk, scan] : cases) EXPECT_EQ(layout.mapVirtualKey(static_cast<std::uint8_t>(vk)), scan) << vk;
}

}  // namespace
}  // namespace qln::sim
