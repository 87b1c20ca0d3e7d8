// The remapper follows the layout: a new keymap is remapped afresh, another group gets the remapping on its own
// keys, and what is restored is the keymap of now.
#include "RemapperFixture.h"

namespace qln::hook {
namespace {

class RemapperLayoutTest : public RemapperTest {
protected:
    void setLayouts(const std::string& layouts) {
        ASSERT_EQ(::system(("setxkbmap -display " + x.display() + " -layout " + layouts).c_str()), 0);
    }
    void lockGroup(int group) {
        XkbLockGroup(display->get(), XkbUseCoreKbd, static_cast<unsigned>(group));
        XSync(display->get(), False);
    }
    // Lets the remapper see the server's notices until the condition holds.
    template <typename F>
    bool afterEvents(F condition) {
        return test::eventually([&] {
            events->dispatchPending();
            return condition();
        });
    }
    static bool allInGroup(const X11Remapper& r, int group) {
        return !r.remapped().empty() && std::all_of(r.remapped().begin(), r.remapped().end(),
                                                    [&](const RemappedLevel& l) { return l.at.group == group; });
    }
};

TEST_F(RemapperLayoutTest, NewKeymapIsRemappedAfreshAndAGroupSwitchMovesTheRemapping) {
    const Key usZ = keyOf('z'), usY = keyOf('y');
    X11Remapper remapper(*events);
    remapper.apply(tables({{'z', 'q'}, {'y', 0}}));

    setLayouts("us,de");  // the German layout has z and y swapped
    const auto twoLayouts = keymap();
    // In the second group the key that types z is the first group's y key.
    EXPECT_EQ(keyOf('z', 1).keycode, usY.keycode);
    ASSERT_NE(twoLayouts, original);
    ASSERT_TRUE(afterEvents([&] { return keymap() != twoLayouts; })) << "the new keymap was not remapped";
    EXPECT_TRUE(allInGroup(remapper, 0));
    EXPECT_EQ(typed({usZ, usY}), "q");

    lockGroup(1);
    ASSERT_TRUE(afterEvents([&] { return allInGroup(remapper, 1); }));
    EXPECT_EQ(typed({usZ, usY}), "q");

    remapper.restore();
    EXPECT_EQ(keymap(), twoLayouts);
    EXPECT_TRUE(notes().empty());
    lockGroup(0);
    EXPECT_EQ(typed({usZ, usY}), "zy");
}

TEST_F(RemapperLayoutTest, KeymapReplacedWhileRemappedIsNotOverwrittenByRestore) {
    X11Remapper remapper(*events);
    remapper.apply(tables({{'a', 'z'}}));
    setLayouts("de");
    const auto german = keymap();
    // Restored before the notice of the new keymap arrives: nothing of ours is left to put back.
    remapper.restore();
    EXPECT_EQ(keymap(), german);
    EXPECT_TRUE(remapper.remapped().empty());
    EXPECT_TRUE(notes().empty());
}

}  // namespace
}  // namespace qln::hook
