// The Snipword Options dialog's logic: what it shows, which prefixes it refuses, what OK stores.
#include <gtest/gtest.h>

#include "ui/SnipwordOptions.h"

namespace qln {
namespace {

TEST(SnipwordOptions, ShowsPrefixModeAsTheInverseOfUseSuffix) {
    Settings s;
    s.snipwordUseSuffix = true;
    s.snipwordCaseSensitive = false;
    s.snipwordSolitaryUsage = true;
    s.snipwordPrefixKeys = "#;";
    const SnipwordOptions::Fields f = SnipwordOptions(s).FormShow();
    EXPECT_FALSE(f.UsePrefix);
    EXPECT_FALSE(f.CaseSensitive);
    EXPECT_TRUE(f.SolitaryUsage);
    EXPECT_EQ(f.PrefixKeys, "#;");
    EXPECT_FALSE(SnipwordOptions::prefixKeysEnabled(f));
    EXPECT_TRUE(SnipwordOptions(Settings{}).FormShow().UsePrefix);
}

TEST(SnipwordOptions, PrefixCharacters) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},    {"Zz", true},  {"09", true},  {"!#", true}, {"$%", true}, {"&*", true},  {"+,", true},
        {"-.", true},  {"/;", true},  {"<=", true},  {">?", true}, {"@^", true}, {"_", true},   {" ", false},
        {"'", false},  {"a'", false}, {"\"", false}, {"(", false}, {"[", false}, {"\\", false}, {"~", false},
        {"`", false},  {":", false},  {"|", false},  {"\xE9", false}, {"\x7F", false}, {"\t", false},
    };
    for (const auto& [prefix, valid] : cases) {
        const auto refusal = SnipwordOptions::checkPrefixKeys(prefix);
        EXPECT_EQ(!refusal, valid) << '"' << prefix << '"';
        if (refusal) {
            EXPECT_EQ(refusal->caption, "Error");
            EXPECT_EQ(refusal->message,
                      "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' "
                      "! @ # $ % ^ & _ = < > ? . ; , * - / +");
        }
    }
    EXPECT_EQ(SnipwordOptions::validPart("a'"), "a");
    EXPECT_EQ(SnipwordOptions::validPart(" #"), "#");
}

TEST(SnipwordOptions, OkStoresTheFourValues) {
    Settings s;
    const SnipwordOptions dialog(s);
    EXPECT_FALSE(dialog.OkButtonClick({false, false, true, "ab"}, s));
    EXPECT_TRUE(s.snipwordUseSuffix);
    EXPECT_FALSE(s.snipwordCaseSensitive);
    EXPECT_TRUE(s.snipwordSolitaryUsage);
    EXPECT_EQ(s.snipwordPrefixKeys, "ab");
}

TEST(SnipwordOptions, OkRefusesAnInvalidPrefixOnlyInPrefixMode) {
    Settings s;
    const Settings before = s;
    const SnipwordOptions dialog(s);
    EXPECT_TRUE(dialog.OkButtonClick({true, false, true, "a b"}, s));
    EXPECT_EQ(s, before);
    // Suffix mode uses no prefix: a damaged one read from the file is kept as it was.
    EXPECT_FALSE(dialog.OkButtonClick({false, true, false, "a "}, s));
    EXPECT_TRUE(s.snipwordUseSuffix);
    EXPECT_EQ(s.snipwordPrefixKeys, "a ");
}

}  // namespace
}  // namespace qln
