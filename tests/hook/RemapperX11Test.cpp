// The remapper on a real server: what the remapped keys type, and the keymap given back exactly.
#include "RemapperFixture.h"

namespace qln::hook {
namespace {

TEST_F(RemapperTest, RemappedLetterTypesItsNewCharacterNoneTypesNothingAndRestoreGivesTheKeysBack) {
    const Key a = keyOf('a'), b = keyOf('b'), c = keyOf('c'), A = keyOf('A');
    X11Remapper remapper(*events);
    EXPECT_FALSE(remapper.applied());
    remapper.apply(tables({{'a', 'z'}, {'b', 0}, {'A', 'Q'}}));
    EXPECT_TRUE(remapper.applied());
    EXPECT_EQ(typed({a, b, c, A, b}), "zcQ");
    ASSERT_EQ(notes().size(), 1u);

    remapper.restore();
    EXPECT_FALSE(remapper.applied());
    EXPECT_EQ(typed({a, b, c, A}), "abcA");
    EXPECT_EQ(keymap(), original);
    EXPECT_TRUE(notes().empty());
    remapper.restore();  // again, as the orderly quit may after the dialog did
    EXPECT_EQ(keymap(), original);
}

TEST_F(RemapperTest, DestructorRestoresTheKeymapAndRemovesTheNote) {
    {
        X11Remapper remapper(*events);
        remapper.apply(tables({{'a', 'z'}, {'q', 0}}));
        EXPECT_NE(keymap(), original);
    }
    EXPECT_EQ(keymap(), original);
    EXPECT_TRUE(notes().empty());
}

TEST_F(RemapperTest, SecondApplyStartsFromTheOriginalKeysNotFromTheRemappedOnes) {
    const Key a = keyOf('a'), b = keyOf('b'), one = keyOf('1'), bang = keyOf('!');
    X11Remapper remapper(*events);
    remapper.apply(tables({{'a', 'z'}, {'1', '!'}}));
    EXPECT_EQ(typed({a, b, one}), "zb!");
    // Swapped: 'b' must go to the key that typed 'a' at first, not to the one that types 'z' now.
    remapper.apply(tables({{'a', 'b'}, {'b', 'a'}}));
    EXPECT_EQ(typed({a, b, one, bang}), "ba1!");
    remapper.apply(tables({}));
    EXPECT_FALSE(remapper.applied());
    EXPECT_EQ(keymap(), original);
    EXPECT_TRUE(notes().empty());
}

TEST_F(RemapperTest, DigitsAndPunctuationIncludingSpace) {
    const Key nine = keyOf('9'), bang = keyOf('!'), space = keyOf(' '), semicolon = keyOf(';'), tilde = keyOf('~'),
              brace = keyOf('}');
    X11Remapper remapper(*events);
    remapper.apply(tables({{'9', '0'}, {'!', '?'}, {' ', '_'}, {';', 0}, {'~', '#'}, {'}', '{'}}));
    EXPECT_EQ(typed({nine, bang, space, semicolon, tilde, brace}), "0?_#{");
    remapper.restore();
    EXPECT_EQ(keymap(), original);
}

TEST_F(RemapperTest, CharactersOfTheCodePageAboveAsciiAsTargets) {
    const Key e = keyOf('e'), E = keyOf('E'), dollar = keyOf('$'), s = keyOf('s');
    X11Remapper remapper(*events);
    // é, É, € and Š (the last two outside Latin-1).
    remapper.apply(tables({{'e', 0xE9}, {'E', 0xC9}, {'$', 0x80}, {'s', 0x8A}}));
    EXPECT_EQ(typed({e, E, dollar, s}), "\xC3\xA9\xC3\x89\xE2\x82\xAC\xC5\xA0");
    remapper.restore();
    EXPECT_EQ(keymap(), original);
}

}  // namespace
}  // namespace qln::hook
