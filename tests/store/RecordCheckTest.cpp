// Damage found in a macro record's raw bytes: which field, and what is wrong with it.
#include <gtest/gtest.h>

#include "store/PopupItems.h"
#include "store/RecordCheck.h"

namespace qln {
namespace {

MacroRecord popupMacro() {
    MacroRecord r;
    r.scope = ScopePopupMenu;
    r.hotKeyCode = 719;
    r.snipword = "N34";
    writePopupItems(r, {1, 500});
    return r;
}

TEST(RecordCheck, SoundRecordsHaveNoDamage) {
    MacroRecord full;
    full.nickname = std::string(50, 'n');
    full.windowName = std::string(30, 'w');
    full.snipword = std::string(10, 's');
    full.hotKeyCode = HotKeySnipword;
    full.scope = ScopeProgram;
    full.setText(std::string(5000, 't'));
    full.iconName = std::string(12, 'i');
    full.topMostOnly = 1;
    full.modified = -1.5;
    MacroRecord timed;
    timed.hotKeyCode = HotKeyTimed;
    timed.active = 0;
    MacroRecord system;
    system.scope = ScopeSystem;
    system.windowName = "1";
    system.hotKeyCode = 262;
    for (const MacroRecord& r : {MacroRecord{}, full, timed, system, popupMacro()}) {
        const RecordBytes b = r.encode();
        EXPECT_EQ(checkRecord(b), std::vector<RecordDamage>{}) << r.nickname << " scope " << r.scope;
    }
}

struct Poke {
    std::size_t offset;
    std::string bytes;
};

struct DamageCase {
    const char* name;
    bool popup;  // else a sound Global macro on hot key 0
    std::vector<Poke> pokes;
    std::vector<RecordDamage> expected;
};

TEST(RecordCheck, EachDamageNamesItsFieldAndProblem) {
    using S = std::string;
    const DamageCase cases[] = {
        {"nickname length",
         false,
         {{0, "\x33"}},
         {{0, "nickname", "length byte 51 is larger than the field's 50 characters"}}},
        {"window name length",
         false,
         {{51, "\xFF"}},
         {{51, "window/program name", "length byte 255 is larger than the field's 30 characters"}}},
        {"snipword length",
         false,
         {{82, "\x0B"}},
         {{82, "Snipword name", "length byte 11 is larger than the field's 10 characters"}}},
        {"icon length",
         false,
         {{5101, "\x0D"}},
         {{5101, "icon name", "length byte 13 is larger than the field's 12 characters"}}},
        {"hot key 720",
         false,
         {{93, "\xD0\x02"}},
         {{93, "hot key code", "720 is not one of 0 to 719, 10000 or 20000"}}},
        {"hot key 20001",
         false,
         {{93, "\x21\x4E"}},
         {{93, "hot key code", "20001 is not one of 0 to 719, 10000 or 20000"}}},
        {"Snipword macro without its word",
         false,
         {{93, "\x20\x4E"}},
         {{82, "Snipword name", "empty in a Snipword macro"}}},
        {"timed System macro",
         false,
         {{93, "\x10\x27"}, {95, "\x05"}},
         {{93, "hot key code", "10000 in a System macro, which needs a hot key (0 to 719)"}}},
        {"scope 0", false, {{95, S("\x00\x00", 2)}}, {{95, "scope kind", "0 is outside 1 to 5"}}},
        {"scope -1", false, {{95, "\xFF\xFF"}}, {{95, "scope kind", "-1 is outside 1 to 5"}}},
        {"scope 6", false, {{95, "\x06"}}, {{95, "scope kind", "6 is outside 1 to 5"}}},
        {"active flag", false, {{97, "\x02"}}, {{97, "active flag", "2 is neither 0 nor 1"}}},
        {"text without its zero",
         false,
         {{100, S(5001, 'a')}},
         {{100, "macro text", "no terminating zero within its 5001 bytes"}}},
        {"Top Most Only flag", false, {{5134, "\xFF"}}, {{5134, "Top Most Only flag", "255 is neither 0 nor 1"}}},
        {"modified time NaN",
         false,
         {{5135, S("\0\0\0\0\0\0\xF8\x7F", 8)}},
         {{5135, "modified time", "not a finite number"}}},
        {"two fields",
         false,
         {{0, "\xFF"}, {95, "\x09"}},
         {{0, "nickname", "length byte 255 is larger than the field's 50 characters"},
          {95, "scope kind", "9 is outside 1 to 5"}}},
        {"popup options",
         true,
         {{82, "\x03Y44"}},
         {{82, "Snipword name", "not the three option characters of a Popup Menu macro (Y or N, 1 to 3, 0 to 4)"}}},
        {"popup options missing",
         true,
         {{82, S("\0", 1)}},
         {{82, "Snipword name", "not the three option characters of a Popup Menu macro (Y or N, 1 to 3, 0 to 4)"}}},
        {"popup count",
         true,
         {{100, "\xC4\x09"}},
         {{100, "popup item list", "count 2500 is more than the field holds (2499)"}}},
        {"popup items",
         true,
         {{100, S("\x03\x00\x00\x00\x07\x00\xF5\x01", 8)}},
         {{100, "popup item list", "2 items are no macro number 1 to 500; the first, item 1, is 0"}}},
        {"popup on a Snipword",
         true,
         {{93, "\x20\x4E"}},
         {{93, "hot key code", "20000 in a Popup Menu macro, which needs a hot key (0 to 719)"}}},
    };
    for (const DamageCase& c : cases) {
        RecordBytes b = (c.popup ? popupMacro() : MacroRecord{}).encode();
        for (const Poke& p : c.pokes) std::copy(p.bytes.begin(), p.bytes.end(), b.begin() + p.offset);
        const auto found = checkRecord(b);
        ASSERT_EQ(found.size(), c.expected.size()) << c.name << ": " << (found.empty() ? "" : found[0].problem);
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].offset, c.expected[i].offset) << c.name;
            EXPECT_EQ(found[i].field, c.expected[i].field) << c.name;
            EXPECT_EQ(found[i].problem, c.expected[i].problem) << c.name;
        }
    }
}

TEST(RecordCheck, HotKeyCodesAtTheEdgesOfTheirRanges) {
    for (std::uint16_t code : {0, 719, 10000, 20000}) EXPECT_TRUE(isHotKeyCode(code)) << code;
    for (std::uint16_t code : {720, 9999, 10001, 19999, 20001, 65535}) EXPECT_FALSE(isHotKeyCode(code)) << code;
}

}  // namespace
}  // namespace qln
