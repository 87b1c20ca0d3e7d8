#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "hook/HotKeyIndex.h"

namespace qln::hook {
namespace {

// A keyboard where every virtual key has the keycode vk + 100 (wrapping), except Pause which it lacks.
std::uint8_t keycodeOf(std::uint16_t vk) { return vk == 19 ? 0 : static_cast<std::uint8_t>(vk + 100); }

std::vector<std::uint8_t> inUse(std::initializer_list<int> codes) {
    std::vector<std::uint8_t> map(720, 0);
    for (const int c : codes) map[static_cast<std::size_t>(c)] = 1;
    return map;
}

std::vector<Grab> grabsOf(const HotKeyIndex& index, int code) {
    std::vector<Grab> out;
    for (const auto& [c, g] : index.grabs())
        if (c == code) out.push_back(g);
    return out;
}

const ModifierMasks kMasks{};  // Shift 1, Lock 2, Control 4, Alt 8 (Mod1), Win 64 (Mod4), Num Lock 16 (Mod2)

struct Case {
    int code;
    std::uint8_t keycode;
    unsigned button;
    unsigned modifiers;
};
class GrabsOfACode : public ::testing::TestWithParam<Case> {};

TEST_P(GrabsOfACode, KeyOrButtonWithExactModifiersForEachLockCombination) {
    const Case c = GetParam();
    HotKeyIndex index;
    index.rebuild(inUse({c.code}), keycodeOf, kMasks);
    const std::vector<Grab> want = {{c.keycode, c.button, c.modifiers},
                                    {c.keycode, c.button, c.modifiers | 2},
                                    {c.keycode, c.button, c.modifiers | 16},
                                    {c.keycode, c.button, c.modifiers | 18}};
    EXPECT_EQ(grabsOf(index, c.code), want);
}

INSTANTIATE_TEST_SUITE_P(Table, GrabsOfACode,
                         ::testing::Values(Case{0, 'A' + 100, 0, 4},            // Ctrl+A
                                           Case{151, 'H' + 100, 0, 12},         // Ctrl+Alt+H
                                           Case{287, 123 + 100, 0, 13},         // Ctrl+Alt+Shift+F12
                                           Case{472, 33 + 100, 0, 4},           // Ctrl+Page Up
                                           Case{650, 'A' + 100, 0, 72},         // Win+Alt+A
                                           Case{698, 27 + 100, 0, 0},           // ESC
                                           Case{701, 0, 1, 4},                  // Ctrl+LMouse
                                           Case{719, 0, 2, 9}));                // Shift+Alt+MMouse

TEST(HotKeyIndex, BareButtonsAndServerKeysAreNotGrabbedButBareButtonsAreKnown) {
    HotKeyIndex index;
    index.rebuild(inUse({699, 706, 180, 191}), keycodeOf, kMasks);  // LMouse, RMouse, Ctrl+Alt+F1, Ctrl+Alt+F12
    EXPECT_TRUE(index.grabs().empty());
    EXPECT_EQ(index.buttonCode(1, 0), 699);
    EXPECT_EQ(index.buttonCode(3, 2 | 16), 706);  // the locks do not matter
    EXPECT_EQ(index.buttonCode(1, 4), std::nullopt);
    EXPECT_EQ(index.keyCode(112 + 100, 12), std::nullopt);
}

TEST(HotKeyIndex, EventsFindTheirCodeOnlyWithExactlyTheirModifiers) {
    HotKeyIndex index;
    index.rebuild(inUse({151, 0}), keycodeOf, kMasks);
    EXPECT_EQ(index.keyCode('H' + 100, 12), 151);
    EXPECT_EQ(index.keyCode('H' + 100, 12 | 2 | 16), 151);
    EXPECT_EQ(index.keyCode('H' + 100, 13), std::nullopt);  // Shift too
    EXPECT_EQ(index.keyCode('H' + 100, 4), std::nullopt);
    EXPECT_EQ(index.keyCode('A' + 100, 4), 0);
    EXPECT_EQ(index.keyCode('B' + 100, 4), std::nullopt);  // not in use
}

TEST(HotKeyIndex, NoNumLockModifierMeansTwoLockCombinations) {
    HotKeyIndex index;
    ModifierMasks masks;
    masks.numLock = 0;
    index.rebuild(inUse({0}), keycodeOf, masks);
    EXPECT_EQ(grabsOf(index, 0).size(), 2U);
}

TEST(HotKeyIndex, KeysTheKeyboardLacksAreSkipped) {
    HotKeyIndex index;
    std::vector<std::uint8_t> all(720, 1);
    index.rebuild(all, [](std::uint16_t) -> std::uint8_t { return 0; }, kMasks);
    // Only the modified mouse buttons remain: 3 buttons x 6 modifier sets x 4 lock combinations.
    EXPECT_EQ(index.grabs().size(), 3U * 6 * 4);
}

}  // namespace
}  // namespace qln::hook
