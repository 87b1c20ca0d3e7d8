#include <gtest/gtest.h>

#include "hook/KeyHoldBack.h"

namespace qln::hook {
namespace {

using Action = KeyHoldBack::Action;
constexpr std::uint8_t kCtrl = 37, kJ = 44, kA = 38, kB = 56, kPause = 127;

std::bitset<256> keys(std::initializer_list<std::uint8_t> kcs) {
    std::bitset<256> b;
    for (const auto kc : kcs) b.set(kc);
    return b;
}

// Everything the replay would send, batch by batch.
std::vector<std::vector<HeldKey>> replayAll(KeyHoldBack& h) {
    std::vector<std::vector<HeldKey>> out;
    while (!h.empty()) out.push_back(h.nextBatch());
    return out;
}

TEST(KeyHoldBack, TheTriggersReleasesPassTheUsersKeysWaitInOrderAndComeOutOnePressAtATime) {
    KeyHoldBack h;
    // Ctrl was let go just before we looked at the keyboard: still down on the core keyboard, its release passes.
    EXPECT_TRUE(h.begin(keys({kJ}), keys({kCtrl, kJ})).empty());
    const struct {
        std::uint8_t kc;
        bool press;
        Action want;
    } steps[] = {{kA, true, Action::Hold},     {kJ, false, Action::Pass},  {kA, false, Action::Hold},
                 {kCtrl, false, Action::Pass}, {kB, true, Action::Hold},   {kPause, true, Action::Abort},
                 {kPause, false, Action::Drop}, {kB, false, Action::Hold}, {kJ, true, Action::Hold},
                 {kJ, false, Action::Hold}};
    for (const auto& s : steps) EXPECT_EQ(h.key(s.kc, s.press, s.kc == kPause), s.want) << int(s.kc) << s.press;
    EXPECT_EQ(replayAll(h), (std::vector<std::vector<HeldKey>>{{{kA, true}},
                                                                {{kA, false}, {kB, true}},
                                                                {{kB, false}, {kJ, true}},
                                                                {{kJ, false}}}));
}

TEST(KeyHoldBack, ANewTriggerAmongTheReplayedKeysGetsItsReleaseAtOnce) {
    KeyHoldBack h;
    h.begin({}, {});
    for (const auto& [kc, press] : std::vector<std::pair<std::uint8_t, bool>>{
             {kJ, true}, {kJ, false}, {kA, true}, {kA, false}})
        h.key(kc, press, false);
    ASSERT_EQ(h.nextBatch(), (std::vector<HeldKey>{{kJ, true}}));
    // j was a hot key: its macro starts with j down through the replay; j's held-back release goes now.
    EXPECT_EQ(h.begin({}, keys({kJ})), (std::vector<std::uint8_t>{kJ}));
    EXPECT_EQ(replayAll(h), (std::vector<std::vector<HeldKey>>{{{kA, true}}, {{kA, false}}}));

    // Still held by the user: not released under their fingers, its release passes when it comes.
    KeyHoldBack held;
    held.begin({}, {});
    held.key(kB, true, false);
    held.nextBatch();
    EXPECT_TRUE(held.begin(keys({kB}), keys({kB})).empty());
    EXPECT_EQ(held.key(kB, false, false), Action::Pass);
}

TEST(KeyHoldBack, KeysLetGoUnseenAreNeverLeftDown) {
    // A queued press whose release went to the user's prompt instead of to us.
    KeyHoldBack h;
    h.begin({}, {});
    h.key(kA, true, false);
    h.begin({}, {});
    EXPECT_EQ(replayAll(h), (std::vector<std::vector<HeldKey>>{{{kA, true}}, {{kA, false}}}));
    // The replay's last press, held when the replay ran out: released unless the user still holds it.
    h.begin({}, {});
    h.key(kB, true, false);
    h.key(kA, true, false);
    h.nextBatch();
    h.nextBatch();
    EXPECT_EQ(h.finish(keys({kA})), (std::vector<std::uint8_t>{kB}));
    EXPECT_TRUE(h.empty());
}

TEST(KeyHoldBack, KeysTakenBackGoFirstInTheirOrder) {
    KeyHoldBack h;
    h.begin({}, {});
    h.key(kB, true, false);
    h.key(kB, false, false);
    h.takeBack({{kA, true}, {kA, false}, {kJ, true}, {kJ, false}});
    EXPECT_EQ(replayAll(h), (std::vector<std::vector<HeldKey>>{
                                {{kA, true}}, {{kA, false}, {kJ, true}}, {{kJ, false}, {kB, true}}, {{kB, false}}}));
}

TEST(KeyHoldBack, BeyondTheBoundPressAndReleaseAreDroppedTogether) {
    KeyHoldBack h;
    h.begin({}, {});
    for (std::size_t i = 0; i < KeyHoldBack::MaxQueued; ++i) h.key(kA, i % 2 == 0, false);
    EXPECT_EQ(h.key(kB, true, false), Action::Drop);
    EXPECT_EQ(h.key(kB, false, false), Action::Drop);
    // A press that went in keeps its release, bound or not.
    KeyHoldBack g;
    g.begin({}, {});
    for (std::size_t i = 0; i + 1 < KeyHoldBack::MaxQueued; ++i) g.key(kA, i % 2 == 0, false);
    EXPECT_EQ(g.key(kB, true, false), Action::Hold);
    EXPECT_EQ(g.key(kB, false, false), Action::Hold);
}

}  // namespace
}  // namespace qln::hook
