// A program killed while keys are remapped: its note lets the next start on the display put the keys back.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "RemapperFixture.h"
#include "platform/x11/ProcessNotes.h"

namespace qln::hook {
namespace {

// A process of its own that remaps the keys, says so, and waits to be killed.
class RemappingChild {
public:
    RemappingChild(const std::string& displayName, const std::array<std::uint8_t, 93>& tables) {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            x11::X11Display d(displayName);
            x11::X11Events events(d);
            X11Remapper remapper(events);
            remapper.apply(tables);
            if (::write(fds[1], "r", 1) != 1) ::_exit(1);
            for (;;) ::pause();
        }
        ::close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        char said = 0;
        ready_ = ::poll(&p, 1, 20000) == 1 && ::read(fds[0], &said, 1) == 1 && said == 'r';
        ::close(fds[0]);
    }
    ~RemappingChild() { kill(); }
    RemappingChild(const RemappingChild&) = delete;
    RemappingChild& operator=(const RemappingChild&) = delete;

    bool ready() const { return ready_; }
    // Killed and reaped: a zombie would still count as running.
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

TEST_F(RemapperTest, KilledProgramLeavesTheKeysRemappedAndTheNextStartPutsThemBackExactly) {
    for (const bool byNewRemapper : {false, true}) {
        SCOPED_TRACE(byNewRemapper ? "a new remapper" : "restoreAfterCrash");
        RemappingChild child(x.display(), tables({{'a', 'z'}, {'A', 0}, {'1', 0xE9}, {' ', 0}}));
        ASSERT_TRUE(child.ready());
        const auto remapped = keymap();
        EXPECT_NE(remapped, original);
        ASSERT_EQ(notes().size(), 1u);
        // Its own note is left alone while it runs.
        EXPECT_EQ(X11Remapper::restoreAfterCrash(*display), 0);
        EXPECT_EQ(keymap(), remapped);

        child.kill();
        EXPECT_EQ(keymap(), remapped);
        if (byNewRemapper) {
            X11Remapper next(*events);
            EXPECT_EQ(keymap(), original);
        } else {
            EXPECT_EQ(X11Remapper::restoreAfterCrash(*display), 1);
            EXPECT_EQ(keymap(), original);
        }
        EXPECT_TRUE(notes().empty());
    }
}

TEST_F(RemapperTest, KeysChangedByOthersSinceTheCrashAreLeftAsTheyAre) {
    const Key a = keyOf('a'), b = keyOf('b');
    RemappingChild child(x.display(), tables({{'a', 'z'}, {'b', 'y'}}));
    ASSERT_TRUE(child.ready());
    child.kill();
    // Someone maps the key of 'a' anew meanwhile.
    KeySym mine[2] = {'q', 'Q'};
    XChangeKeyboardMapping(display->get(), a.keycode, 2, mine, 1);
    XSync(display->get(), False);

    EXPECT_EQ(X11Remapper::restoreAfterCrash(*display), 1);
    EXPECT_EQ(typed({a, b}), "qb");
    EXPECT_TRUE(notes().empty());
}

TEST_F(RemapperTest, DamagedNoteIsRemovedWithoutTouchingTheKeymap) {
    ASSERT_EQ(::system(("mkdir -m 700 -p " + runtime.path() + "/quillon").c_str()), 0);
    runtime.write("quillon/remap-" + x.display().substr(1).insert(0, "_") + "-1", "garbage\nlevel 38 0 0 1 2\n");
    ASSERT_EQ(notes().size(), 1u);
    EXPECT_EQ(X11Remapper::restoreAfterCrash(*display), 0);
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(keymap(), original);
}

// The server a program was killed on dies, and a new one comes up under the same display name with another
// keyboard (QWERTZ: y where QWERTY has z).  The killed program's note names the old server: the new server's keymap
// is left alone, and the note goes.
TEST_F(RemapperTest, ANoteOfAServerThatDiedIsNeverAppliedToTheNextOne) {
    auto old = std::make_unique<test::XvfbSession>();
    const std::string oldName = old->display();
    {
        RemappingChild child(oldName, tables({{'z', 'y'}, {'Z', 'Y'}}));
        ASSERT_TRUE(child.ready());
    }
    old.reset();
    // The note as it lies when the new server took the old one's number.
    ASSERT_EQ(notes().size(), 1u);
    const std::string note = runtime.path() + "/quillon/" + notes()[0];
    std::stringstream text;
    text << std::ifstream(note).rdbuf();
    std::string moved = text.str();
    moved.replace(moved.find("display " + oldName), 8 + oldName.size(), "display " + x.display());
    std::filesystem::remove(note);
    const std::string pid = note.substr(note.rfind('-'));
    std::ofstream(runtime.path() + "/quillon/remap-" + x11::noteName(x.display()) + pid) << moved;

    const Key z = keyOf('z');
    KeySym qwertz[2] = {'y', 'Y'};
    XChangeKeyboardMapping(display->get(), z.keycode, 2, qwertz, 1);
    XSync(display->get(), False);
    const auto before = keymap();
    EXPECT_EQ(X11Remapper::restoreAfterCrash(*display), 0);
    EXPECT_EQ(keymap(), before);
    EXPECT_TRUE(notes().empty());
}

}  // namespace
}  // namespace qln::hook
