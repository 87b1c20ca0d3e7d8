// The Appearance dialog's logic: the width checks, their order, and what OK hands over.
#include <gtest/gtest.h>

#include "ui/Appearance.h"

namespace qln {
namespace {

using Field = AppearanceRefusal::Field;

Settings someSettings() {
    Settings s;
    s.col1Width = 100;
    s.col2Width = 200;
    s.col3Width = 300;
    s.useSpeed = true;
    return s;
}

TEST(Appearance, ShowsTheSettings) {
    const Appearance dialog(someSettings());
    const Appearance::Fields f = dialog.FormShow();
    EXPECT_EQ(f.Col1Wid, "100");
    EXPECT_EQ(f.Col2Wid, "200");
    EXPECT_EQ(f.Col3Wid, "300");
    EXPECT_TRUE(f.SpeedButtons);
    Settings lettered;
    lettered.useSpeed = false;
    EXPECT_FALSE(Appearance(lettered).FormShow().SpeedButtons);
}

TEST(Appearance, WidthReading) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"120", 120},
        {" 120 ", 120},
        {"+7", 7},
        {"0", 0},
        {"-5", -5},
        {"", 0},
        {"   ", 0},
        {"abc", 0},
        {"12px", 0},
        {"1 2", 0},
        {"1.5", 0},
        {"0x10", 0},
        {"-", 0},
        {"+", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"99999999999999999999999", 0},
        {"\xE9", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(Appearance::readWidth(text), value) << '"' << text << '"';
}

TEST(Appearance, RefusesWidthsNotAboveZeroInFieldOrder) {
    struct Case {
        const char* col1;
        const char* col2;
        const char* col3;
        Field focus;
    };
    const Case cases[] = {
        {"0", "50", "50", Field::Col1Wid},  {"50", "0", "50", Field::Col2Wid}, {"50", "50", "0", Field::Col3Wid},
        {"50", "-1", "50", Field::Col2Wid}, {"", "50", "50", Field::Col1Wid},  {"50", "50", "x", Field::Col3Wid},
        {"0", "0", "0", Field::Col1Wid},    {"50", "-3", "0", Field::Col2Wid}, {"5", "abc", "", Field::Col2Wid},
    };
    const Appearance dialog(someSettings());
    for (const Case& c : cases) {
        const auto answer = dialog.OkButtonClick({c.col1, c.col2, c.col3, false});
        ASSERT_TRUE(std::holds_alternative<AppearanceRefusal>(answer)) << c.col1 << "|" << c.col2 << "|" << c.col3;
        const AppearanceRefusal& r = std::get<AppearanceRefusal>(answer);
        EXPECT_EQ(r.field, c.focus) << c.col1 << "|" << c.col2 << "|" << c.col3;
        EXPECT_EQ(r.caption, "Error");
        EXPECT_EQ(r.message, "Invalid width specified.");
    }
}

TEST(Appearance, OkHandsOverWidthsButtonsAndFonts) {
    Appearance dialog(someSettings());
    const auto answer = dialog.OkButtonClick({" 80", "90 ", "1", false});
    ASSERT_TRUE(std::holds_alternative<AppearanceChoice>(answer));
    const AppearanceChoice& c = std::get<AppearanceChoice>(answer);
    EXPECT_EQ(c.col1Width, 80);
    EXPECT_EQ(c.col2Width, 90);
    EXPECT_EQ(c.col3Width, 1);
    EXPECT_FALSE(c.useSpeed);
    Settings s = someSettings();
    c.storeIn(s);
    EXPECT_EQ(s.col1Width, 80);
    EXPECT_FALSE(s.useSpeed);
}

TEST(Appearance, ChangingOnlyTheFonts) {
    const Settings before = someSettings();
    Appearance dialog(before);
    dialog.gridFont().name = "DejaVu Sans";
    dialog.gridFont().size = 14;
    dialog.gridTitleFont().bold = true;
    dialog.gridTitleFont().color = 0x0000FF;
    // The working copies are the dialog's own until OK.
    EXPECT_EQ(before.gridFont.size, 10);

    const auto answer = dialog.OkButtonClick(dialog.FormShow());
    ASSERT_TRUE(std::holds_alternative<AppearanceChoice>(answer));
    Settings after = before;
    std::get<AppearanceChoice>(answer).storeIn(after);
    Settings expected = before;
    expected.gridFont.name = "DejaVu Sans";
    expected.gridFont.size = 14;
    expected.gridTitleFont.bold = true;
    expected.gridTitleFont.color = 0x0000FF;
    EXPECT_EQ(after, expected);
}

TEST(Appearance, RefusalCarriesNoFontChange) {
    // A refused OK stores nothing: the choice exists only when all widths are valid.
    Appearance dialog(someSettings());
    dialog.gridFont().size = 30;
    EXPECT_TRUE(std::holds_alternative<AppearanceRefusal>(dialog.OkButtonClick({"1", "1", "0", true})));
    const auto retry = dialog.OkButtonClick({"1", "1", "1", true});
    ASSERT_TRUE(std::holds_alternative<AppearanceChoice>(retry));
    EXPECT_EQ(std::get<AppearanceChoice>(retry).gridFont.size, 30);  // kept for the second try
}

}  // namespace
}  // namespace qln
