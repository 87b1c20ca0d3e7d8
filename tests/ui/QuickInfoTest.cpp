// What the Quick Info window shows for a macro record.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "core/DateTime.h"
#include "store/HotKeyNames.h"
#include "support/TempFolder.h"
#include "ui/QuickInfo.h"

namespace qln {
namespace {

MacroRecord record(std::int16_t scope, std::string windowName = {}, std::uint8_t topMostOnly = 0) {
    MacroRecord r;
    r.scope = scope;
    r.windowName = std::move(windowName);
    r.topMostOnly = topMostOnly;
    r.iconName = "MAIN";
    return r;
}

TEST(QuickInfo, ScopeTexts) {
    const std::pair<MacroRecord, const char*> cases[] = {
        {record(ScopeGlobal), "GLOBAL"},
        {record(ScopeWindow, "NOTEPAD", 1), "NOTEPAD \"Window\" (Top Most Only)"},
        {record(ScopeWindow, "Untitled - Ed\xE9", 0), "Untitled - Ed\xE9 \"Window\" (If Running)"},
        {record(ScopeProgram, "XTERM", 1), "XTERM \"Program\" (Top Most Only)"},
        {record(ScopeProgram, "FIREFOX", 0), "FIREFOX \"Program\" (If Running)"},
        {record(ScopeProgram, "", 0), " \"Program\" (If Running)"},
        {record(ScopePopupMenu, "ignored", 1), "Popup Menu"},
        {record(ScopeSystem), "SYSTEM"},
        {record(0), ""},
        {record(6, "X"), ""},
    };
    for (const auto& [r, scope] : cases) EXPECT_EQ(quickInfoOf(r, "/nowhere").scope, scope) << r.scope;
}

TEST(QuickInfo, TextIsHiddenForPopupMenuAndSystemMacros) {
    for (std::int16_t scope = 1; scope <= 5; ++scope) {
        MacroRecord r = record(scope);
        r.setText("Hello<ENTER>\r\nWorld");
        const QuickInfo info = quickInfoOf(r, "/nowhere");
        const bool shown = scope != ScopePopupMenu && scope != ScopeSystem;
        EXPECT_EQ(info.showText, shown) << scope;
        EXPECT_EQ(info.textLabel, shown ? "Macro Text:" : "") << scope;
        EXPECT_EQ(info.text, shown ? "Hello<ENTER>\r\nWorld" : "") << scope;
    }
}

TEST(QuickInfo, IconFallsBackToTheProgramIcon) {
    test::TempFolder program;
    std::filesystem::create_directory(program.file("Icons"));
    program.write("Icons/SMILEY.ICO", "icon");
    program.write("Icons/lower.ico", "icon");
    std::filesystem::create_directory(program.file("Icons/FOLDER.ICO"));
    program.write("OUTSIDE.ICO", "icon");
    struct Case {
        const char* name;
        QuickInfoIcon icon;
        std::string file;
    };
    const Case cases[] = {
        {"MAIN", QuickInfoIcon::Program, ""},
        {"MENU", QuickInfoIcon::Menu, ""},
        {"SMILEY.ICO", QuickInfoIcon::File, program.file("Icons/SMILEY.ICO")},
        {"LOWER.ICO", QuickInfoIcon::File, program.file("Icons/lower.ico")},
        {"GONE.ICO", QuickInfoIcon::Program, ""},  // deleted since: the program's own icon
        {"FOLDER.ICO", QuickInfoIcon::Program, ""},
        {"../OUTSIDE.ICO", QuickInfoIcon::Program, ""},
        {"", QuickInfoIcon::Program, ""},
        {"menu", QuickInfoIcon::Program, ""},
    };
    for (const Case& c : cases) {
        MacroRecord r = record(ScopeGlobal);
        r.iconName = c.name;
        const QuickInfo info = quickInfoOf(r, program.path());
        EXPECT_EQ(info.icon, c.icon) << c.name;
        EXPECT_EQ(info.iconFile, c.file) << c.name;
        EXPECT_EQ(r.iconName, c.name);  // the record keeps its name
    }
    MacroRecord r = record(ScopeGlobal);
    r.iconName = "SMILEY.ICO";
    EXPECT_EQ(quickInfoOf(r, program.file("missing")).icon, QuickInfoIcon::Program);
}

TEST(QuickInfo, TriggerLines) {
    MacroRecord hotKey = record(ScopeGlobal);
    hotKey.hotKeyCode = 5;
    const QuickInfo h = quickInfoOf(hotKey, "/nowhere");
    EXPECT_EQ(h.triggerLabel, "Hot Key:");
    EXPECT_FALSE(h.trigger.empty());
    EXPECT_EQ(h.trigger, hotKeyName(5));

    MacroRecord snip = record(ScopeGlobal);
    snip.hotKeyCode = HotKeySnipword;
    snip.snipword = "sig";
    const QuickInfo s = quickInfoOf(snip, "/nowhere");
    EXPECT_EQ(s.triggerLabel, "Snipword:");
    EXPECT_EQ(s.trigger, "sig");

    MacroRecord timed = record(ScopeGlobal);
    timed.hotKeyCode = HotKeyTimed;
    timed.schedule.hour = 7;
    EXPECT_EQ(quickInfoOf(timed, "/nowhere").triggerLabel, "Timed Macro:");
    EXPECT_EQ(quickInfoOf(timed, "/nowhere").trigger, "");
    const ScheduleLine line = [](const Schedule& when) { return "Daily at " + std::to_string(when.hour); };
    EXPECT_EQ(quickInfoOf(timed, "/nowhere", line).trigger, "Daily at 7");
    // A hot key macro never asks for a schedule.
    EXPECT_EQ(quickInfoOf(hotKey, "/nowhere", line).trigger, hotKeyName(5));
}

TEST(QuickInfo, NicknameActiveAndLastModified) {
    MacroRecord r = record(ScopeGlobal);
    r.nickname = "Caf\xE9 order";
    r.active = 0;
    r.modified = toDateTime({2024, 3, 5, 14, 7, 59, 900});
    QuickInfo info = quickInfoOf(r, "/nowhere");
    EXPECT_EQ(info.nickname, "Caf\xE9 order");
    EXPECT_EQ(info.active, "No");
    EXPECT_EQ(info.lastModified, "Last Modified On 2024-03-05 14:07");
    r.active = 1;
    EXPECT_EQ(quickInfoOf(r, "/nowhere").active, "Yes");
}

TEST(QuickInfo, ShortDateTimeOfStoredTimes) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "1899-12-30 00:00"},
        {-1.25, "1899-12-29 06:00"},
        {toDateTime({1999, 12, 31, 23, 59, 0, 0}), "1999-12-31 23:59"},
        {toDateTime({9999, 12, 31, 23, 59, 59, 0}), "9999-12-31 23:59"},
        {toDateTime({1, 1, 1, 0, 0, 0, 0}), "0001-01-01 00:00"},
        // Damaged records: no date instead of a crash or a year of six digits.
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {1e300, ""},
        {-1e300, ""},
        {3e6, ""},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(shortDateTime(value), text) << value;
}

}  // namespace
}  // namespace qln
