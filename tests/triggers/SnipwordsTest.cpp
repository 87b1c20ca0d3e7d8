// The Snipword buffer and the Backspaces that erase a Snipword.
#include <gtest/gtest.h>

#include "TriggerHarness.h"

namespace qln::test {
namespace {

Settings snipOptions(bool suffix, std::string prefix = {}, bool solitary = false, bool caseSensitive = true) {
    Settings s;
    s.snipwordUseSuffix = suffix;
    s.snipwordPrefixKeys = std::move(prefix);
    s.snipwordSolitaryUsage = solitary;
    s.snipwordCaseSensitive = caseSensitive;
    return s;
}

MacroRecord snip(std::string word, std::string text) {
    MacroRecord r = macro("Snip", "snip", ScopeGlobal, std::move(text));
    r.snipword = std::move(word);
    return r;
}

TEST(SnipwordBuffer, KeepsThePrefixAndTenCharactersAndEmptiesOnResetAndOtherCharacters) {
    struct Case {
        const char* name;
        Settings settings;
        std::string typed;
        std::string buffer;
    };
    const std::string thirty = "abcdefghijklmnopqrstuvwxyz1234";
    const Case cases[] = {
        {"suffix keeps 10", snipOptions(true), thirty, "uvwxyz1234"},
        {"prefix of two keeps 12", snipOptions(false, "//"), thirty, "stuvwxyz1234"},
        {"backspace on empty", snipOptions(true), "\b\b", ""},
        {"backspace removes one", snipOptions(true), "abc\b", "ab"},
        {"space empties", snipOptions(true), "abc def", "def"},
        {"a character outside the set empties", snipOptions(false), "ab~cd", "cd"},
        {"reset empties", snipOptions(true), "abc\x01" "de", "de"},
    };
    for (const Case& c : cases) {
        TriggerRig rig({snip("zzz", "never")}, c.settings);
        for (const char ch : c.typed) {
            if (ch == '\x01')
                rig.desktop.hook().resetTyping();
            else
                rig.desktop.hook().typeCharacter(static_cast<std::uint8_t>(ch), false);
            rig.settle();
        }
        EXPECT_EQ(rig.triggers.snipwords().buffer(), c.buffer) << c.name;
    }
}

TEST(SnipwordBuffer, IgnoredWhileTheSetHasNoSnipword) {
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a")}, snipOptions(true));
    rig.type("abc");
    EXPECT_EQ(rig.triggers.snipwords().buffer(), "");
}

TEST(Snipwords, EraseTheTypedRunThenWaitThenPlay) {
    TriggerRig rig({snip("ok", "X")}, snipOptions(false, ";;"));
    rig.desktop.trace().clear();
    rig.type("a;;ok");
    const auto t = rig.desktop.trace().format(0);
    EXPECT_EQ(t,
              "0 key 8 down\n0 key 8 up\n0 key 8 down\n0 key 8 up\n0 key 8 down\n0 key 8 up\n0 key 8 down\n"
              "0 key 8 up\n101 key 16 down\n101 key 88 down\n101 key 88 up\n101 key 16 up\n101 key 43 down\n"
              "101 key 43 up\n101 in use cleared\n");
    EXPECT_EQ(rig.triggers.snipwords().buffer(), "");
}

}  // namespace
}  // namespace qln::test
