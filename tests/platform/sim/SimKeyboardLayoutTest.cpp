// The simulated US layout answers as Windows does.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/sim/SimKeyboardLayout.h"

namespace qln::sim {
namespace {

// The US keyboard as its keycaps show it: each row unshifted, then shifted.  Every printable character must
// sit on the key of its keycap, with Shift exactly for the upper one, and no two characters may share a key and
// shift state.
TEST(SimKeyboardLayout, EveryPrintableCharacterIsOnItsKeycap) {
    const SimKeyboardLayout layout;
    const std::pair<std::string, std::string> rows[] = {{"`1234567890-=", "~!@#$%^&*()_+"},
                                                        {"qwertyuiop[]\\", "QWERTYUIOP{}|"},
                                                        {"asdfghjkl;'", "ASDFGHJKL:\""},
                                                        {"zxcvbnm,./", "ZXCVBNM<>?"}};
    std::set<std::int16_t> seen;
    for (const auto& [lower, upper] : rows) {
        ASSERT_EQ(lower.size(), upper.size());
        for (std::size_t i = 0; i < lower.size(); ++i) {
            const std::int16_t plain = layout.vkKeyScan(static_cast<std::uint8_t>(lower[i]));
            const std::int16_t shifted = layout.vkKeyScan(static_cast<std::uint8_t>(upper[i]));
            EXPECT_EQ(plain & 0xFF00, 0) << lower[i];
            EXPECT_EQ(shifted, plain | 0x100) << upper[i] << " shares its key with " << lower[i];
            EXPECT_TRUE(seen.insert(plain).second && seen.insert(shifted).second) << lower[i];
        }
    }
    EXPECT_EQ(layout.vkKeyScan(' '), 32);
    // Letters and digits are their own virtual keys; the signs use the OEM keys.
    for (const auto& [ch, vk] : {std::pair{'a', 65}, {'z', 90}, {'0', 48}, {';', 186}, {'/', 191}, {'`', 192},
                                 {'[', 219}, {'\'', 222}})
        EXPECT_EQ(layout.vkKeyScan(static_cast<std::uint8_t>(ch)) & 0xFF, vk) << ch;
}

TEST(SimKeyboardLayout, ControlCharactersAndTheRestOfTheCodePage) {
    const SimKeyboardLayout layout;
    constexpr std::int16_t S = 0x100, C = 0x200;
    const std::pair<int, std::int16_t> cases[] = {{8, 8},       {9, 9},       {13, 13},         {10, C | 13},
                                                  {3, C | 'C'}, {26, C | 'Z'}, {27, C | 219},   {30, C | S | 54},
                                                  {31, C | S | 189}, {127, C | 8}, {0, -1}};
    for (const auto& [c, scan] : cases) EXPECT_EQ(layout.vkKeyScan(static_cast<std::uint8_t>(c)), scan) << c;
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
