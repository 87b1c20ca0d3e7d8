// The tables as changes of keys, and the keysyms the keys get: no display needed.
#include <gtest/gtest.h>

#include <array>

#include "hook/RemapChanges.h"
#include "store/Vexmap.h"

namespace qln::hook {
namespace {

std::array<std::uint8_t, 93> defaults() {
    return Vexmap().tables();
}

TEST(RemapChanges, DefaultTablesChangeNothing) {
    EXPECT_TRUE(remapChanges(defaults()).empty());
}

TEST(RemapChanges, EachTablePartNamesItsOwnKey) {
    auto t = defaults();
    t[0] = 'Q';         // upper case A
    t[26 + 1] = 0;      // lower case b: none
    t[52 + 9] = '0';    // digit 9
    t[62 + 0] = '_';    // space
    t[62 + 30] = 0xE9;  // the last punctuation key, ~
    t[62 + 29] = 0x80;  // }
    const std::vector<RemapChange> expected{{'A', 'Q'}, {'b', 0}, {'9', '0'}, {' ', '_'}, {'}', 0x80}, {'~', 0xE9}};
    EXPECT_EQ(remapChanges(t), expected);
}

TEST(RemapChanges, ControlCharactersFromADamagedFileLeaveTheKeyAlone) {
    auto t = defaults();
    t[26] = 1;
    t[27] = 31;
    t[28] = 32;
    EXPECT_EQ(remapChanges(t), (std::vector<RemapChange>{{'c', ' '}}));
}

TEST(RemapChanges, PunctuationOrderIsTheRemapFilesOrder) {
    auto t = defaults();
    for (std::size_t i = 0; i < Vexmap::Punctuation.size(); ++i) t[62 + i] = 0;
    const auto changes = remapChanges(t);
    ASSERT_EQ(changes.size(), Vexmap::Punctuation.size());
    for (std::size_t i = 0; i < changes.size(); ++i)
        EXPECT_EQ(changes[i].from, static_cast<std::uint8_t>(Vexmap::Punctuation[i])) << i;
}

TEST(RemapKeysym, Windows1252ToKeysym) {
    struct Case {
        std::uint8_t ch;
        unsigned long keysym;
    };
    const Case cases[] = {
        {0, kVoidSymbol},    {'z', 'z'},          {' ', 0x20},         {0xE9, 0xE9},  // é
        {0xA0, 0xA0},        {0xFF, 0xFF},        {0x80, 0x10020AC},                  // €
        {0x8A, 0x1000160},   {0x9F, 0x1000178},                                       // Š, Ÿ
        {0x81, kVoidSymbol}, {0x8D, kVoidSymbol}, {0x8F, kVoidSymbol}, {0x90, kVoidSymbol}, {0x9D, kVoidSymbol},
    };
    for (const Case& c : cases) EXPECT_EQ(remapKeysym(c.ch), c.keysym) << int(c.ch);
}

}  // namespace
}  // namespace qln::hook
