// A triggered macro: in use before it plays, the trigger's keys released first, the end marker however it ends.
#include <gtest/gtest.h>

#include "TriggerHarness.h"
#include "core/FileError.h"

namespace qln::test {
namespace {

using Lines = std::vector<std::string>;

TEST(TriggeredRun, WaitsForTheTriggersKeysThenPlaysThenSendsTheEndMarkerWhichClearsInUse) {
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a")});
    rig.desktop.physicalKeys().holdFor(300);
    rig.desktop.trace().clear();
    rig.press("Ctrl+Alt+H");
    EXPECT_EQ(rig.trace(), (Lines{"keys released", "key 65 down", "key 65 up", "key 43 down", "key 43 up",
                                  "in use cleared"}));
    EXPECT_EQ(rig.desktop.trace().format(0).substr(0, 4), "300 ");  // nothing typed while the keys were held
    EXPECT_EQ(rig.table.inUse(), 0);
    const auto& calls = rig.desktop.hook().calls();
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const auto& c) { return c.call == "QlnUpInUse"; }));
}

TEST(TriggeredRun, KeysHeldPastTheLimitStillLetTheMacroPlay) {
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a")});
    rig.desktop.physicalKeys().holdFor(60000);
    rig.desktop.trace().clear();
    const auto start = rig.desktop.clock().tickCount();
    rig.press("Ctrl+Alt+H");
    EXPECT_EQ(rig.trace().front(), "keys still held");
    EXPECT_LE(rig.desktop.clock().tickCount() - start, 2100u);
    EXPECT_EQ(rig.trace().back(), "in use cleared");
}

// A tag whose effect fails with an error thrown out of playback.
class FailingEffects : public ICommandEffects {
public:
    std::optional<std::string> readTextFile(std::string_view) override { throw FileError("x.txt", "gone"); }
};


TEST(TriggeredRun, AnErrorOutOfTheMacroStillSendsTheEndMarkerAfterItsKeys) {
    FailingEffects effects;
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a<TFILE:x.txt>b")}, {}, &effects);
    rig.desktop.trace().clear();
    rig.desktop.hook().pressHotKey(codeOf("Ctrl+Alt+H"), false, 0);
    EXPECT_THROW(rig.settle(), FileError);
    const Lines t = rig.trace();
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(Lines(t.end() - 2, t.end()), (Lines{"key 43 down", "key 43 up"}));
    rig.settle();
    EXPECT_EQ(rig.table.inUse(), 0);
}

TEST(TriggeredRun, AnAbortedMacroStillSendsTheEndMarker) {
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a<DELAY:05.00>b")});
    rig.desktop.pump().postAt(1000, hook::AbortRequest{});
    rig.desktop.trace().clear();
    rig.press("Ctrl+Alt+H");
    rig.desktop.pump().waitUntil(10000);
    const Lines t = rig.trace();
    EXPECT_EQ(std::count(t.begin(), t.end(), "key 66 down"), 0);
    EXPECT_NE(std::find(t.begin(), t.end(), "key 43 down"), t.end());
    EXPECT_EQ(rig.table.inUse(), 0);
}

}  // namespace
}  // namespace qln::test
