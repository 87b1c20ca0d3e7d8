// A real terminal, which reads the keymap once and again only when told of a change: it types the remapped
// characters, and the old ones after the restore.
#include <fstream>
#include <sstream>

#include "RemapperFixture.h"

namespace qln::hook {
namespace {

// The top-level window with this title, 0 while there is none.
Window findWindow(Display* d, Window parent, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name != nullptr) {
            if (title == name) found = children[i];
            XFree(name);
        }
        if (found == 0) found = findWindow(d, children[i], title);
    }
    if (children != nullptr) XFree(children);
    return found;
}

TEST_F(RemapperTest, XtermTypesTheRemappedCharactersAndTheOldOnesAfterRestore) {
    const Key a = keyOf('a'), e = keyOf('e'), dollar = keyOf('$'), enter = keyOf(0xFF0D);
    const std::string file = runtime.file("typed.txt");
    const std::string log = runtime.file("xterm.log");
    test::TestProcess xterm;
    xterm.start({"xterm", "-u8", "-T", "Remapper cat", "-e", "sh", "-c", "exec cat > '" + file + "'"}, [&] {
        ::setenv("LC_ALL", "C.UTF-8", 1);
        test::TestProcess::redirectOutput(log.c_str());
    });
    Display* d = display->get();
    Window w = 0;
    ASSERT_TRUE(test::eventually([&] {
        XWindowAttributes attributes{};
        w = findWindow(d, DefaultRootWindow(d), "Remapper cat");
        return w != 0 && XGetWindowAttributes(d, w, &attributes) && attributes.map_state == IsViewable;
    }));
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    const unsigned shift = XKeysymToKeycode(d, XK_Shift_L);
    auto press = [&](const std::vector<Key>& keys) {
        for (const Key& k : keys) {
            if (k.shift) XTestFakeKeyEvent(d, shift, True, CurrentTime);
            XTestFakeKeyEvent(d, static_cast<unsigned>(k.keycode), True, CurrentTime);
            XTestFakeKeyEvent(d, static_cast<unsigned>(k.keycode), False, CurrentTime);
            if (k.shift) XTestFakeKeyEvent(d, shift, False, CurrentTime);
        }
        XSync(d, False);
    };
    auto written = [&](const std::string& expected) {
        std::string s;
        test::eventually([&] {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            s = text.str();
            return s == expected;
        });
        return s;
    };
    press({a, e, dollar, enter});
    EXPECT_EQ(written("ae$\n"), "ae$\n");

    X11Remapper remapper(*events);
    remapper.apply(tables({{'a', 'z'}, {'e', 0xE9}, {'$', 0x80}}));
    press({a, e, dollar, enter});
    EXPECT_EQ(written("ae$\nz\xC3\xA9\xE2\x82\xAC\n"), "ae$\nz\xC3\xA9\xE2\x82\xAC\n");

    remapper.restore();
    press({a, e, dollar, enter});
    EXPECT_EQ(written("ae$\nz\xC3\xA9\xE2\x82\xAC\nae$\n"), "ae$\nz\xC3\xA9\xE2\x82\xAC\nae$\n");
}

}  // namespace
}  // namespace qln::hook
