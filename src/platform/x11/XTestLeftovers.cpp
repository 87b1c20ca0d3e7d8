#include "platform/x11/XTestLeftovers.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/x11/ProcessNotes.h"

namespace qln::x11 {

std::string XTestLeftovers::folder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string dir = runtime != nullptr && runtime[0] == '/' ? std::string(runtime) + "/quillon"
                                                               : "/tmp/quillon-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    return dir;
}

XTestLeftovers::XTestLeftovers(X11Display& display, const XInputDevices& devices)
    : display_(display), devices_(devices) {
    const char* name = DisplayString(display_.get());
    prefix_ = folder() + "/xtest-" + noteName(name != nullptr ? name : "") + "-";
    path_ = prefix_ + std::to_string(::getpid());
    std::error_code ec;
    const std::string dir = folder();
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string path = entry.path().string();
        if (path.rfind(prefix_, 0) != 0 || path == path_) continue;
        if (path.find(".tmp") != std::string::npos) continue;
        cleanUp(path);
    }
}

XTestLeftovers::~XTestLeftovers() { ::unlink(path_.c_str()); }

void XTestLeftovers::note(bool playing, const std::vector<SpareKeycodes::Borrowed>& borrowed) {
    if (!playing && borrowed.empty()) {
        ::unlink(path_.c_str());
        return;
    }
    std::ostringstream text;
    text << "pid " << ::getpid() << ' ' << processStartTime(::getpid()) << '\n'
         << "playing " << (playing ? 1 : 0) << '\n';
    for (const auto& b : borrowed) text << "keycode " << int(b.keycode) << ' ' << b.symbols[0] << ' ' << b.symbols[1] << '\n';
    const std::string tmp = path_ + ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << text.str();
        if (!out) return;  // a note we cannot write only costs the clean-up after a crash
    }
    std::rename(tmp.c_str(), path_.c_str());
}

void XTestLeftovers::cleanUp(const std::string& path) {
    std::ifstream in(path);
    std::string word, started;
    long pid = 0;
    if (!(in >> word >> pid >> started) || word != "pid") {
        ::unlink(path.c_str());
        return;
    }
    if (processRunning(pid, started)) return;
    Display* d = display_.get();
    int playing = 0;
    in >> word >> playing;
    if (playing != 0) {
        // It was killed while a macro played: what the XTest devices hold now, it held.
        const auto keys = devices_.xtestKeys();
        for (std::size_t kc = 8; kc < keys.size(); ++kc)
            if (keys[kc]) XTestFakeKeyEvent(d, static_cast<unsigned>(kc), False, CurrentTime);
        const auto buttons = devices_.xtestButtons();
        for (std::size_t b = 1; b < buttons.size(); ++b)
            if (buttons[b]) XTestFakeButtonEvent(d, static_cast<unsigned>(b), False, CurrentTime);
    }
    int keycode = 0;
    unsigned long first = 0, second = 0;
    while (in >> word >> keycode >> first >> second) {
        if (word != "keycode" || keycode < 8 || keycode > 255) continue;
        int perKeycode = 0;
        KeySym* now = XGetKeyboardMapping(d, static_cast<KeyCode>(keycode), 1, &perKeycode);
        // Only what is still ours: someone may have mapped the keycode since.
        const bool ours = now != nullptr && perKeycode >= 1 && now[0] == first &&
                          (perKeycode < 2 || now[1] == second);
        if (now != nullptr) XFree(now);
        if (!ours) continue;
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(d, keycode, 2, none, 1);
    }
    XSync(d, False);
    ::unlink(path.c_str());
    ++cleanedUp_;
}

}  // namespace qln::x11
