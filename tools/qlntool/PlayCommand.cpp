#include "PlayCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "DesktopDescription.h"
#include "PlayOptions.h"
#include "X11Play.h"
#include "core/Win1252.h"
#include "platform/SystemClock.h"
#include "platform/sim/SimDesktop.h"
#include "playback/PlaybackSession.h"

namespace qln::tool {

namespace {

// Reads a whole file as bytes; an error message naming the file when it cannot.
bool readFile(const std::string& path, std::string& out, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot read '" + path + "': it is a folder, not a file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read '" + path + "': " + std::strerror(errno);
        return false;
    }
    out = std::move(bytes);
    return true;
}

// qlntool has no macro set of its own: a swap is only noted.
class NoteSwap : public IMacroFileSwap {
public:
    explicit NoteSwap(sim::EventTrace& trace) : trace_(trace) {}
    void swapMacroFile(std::string_view file) override { trace_.add("swap " + sim::EventTrace::quote(file)); }

private:
    sim::EventTrace& trace_;
};

}  // namespace

int playCommand(std::span<const std::string_view> args, const char* usage) {
    const ParsedPlayOptions parsed = parsePlayOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "qlntool play: %s\n%s", parsed.error.c_str(), usage);
        return 2;
    }
    const PlayOptions& o = parsed.options;

    PlaybackMacro macro;
    macro.hotKeyCode = 10000;  // not fired by a hot key: the pause dialog has no key in its caption
    if (o.text) {
        macro.text = utf8ToWin1252(*o.text);
    } else {
        std::string error;
        if (!readFile(*o.file, macro.text, error)) {
            std::fprintf(stderr, "qlntool play: %s\n", error.c_str());
            return 1;
        }
    }

    sim::SimDesktopOptions desktopOptions;
    desktopOptions.screen = o.screen;
    desktopOptions.start = o.start.value_or(SystemClock().localNow());
    desktopOptions.capsLock = o.capsLock;
    desktopOptions.notepad = !o.desktop;
    if (o.desktop) {
        if (const std::string error = readDesktopScreen(*o.desktop, desktopOptions.screen); !error.empty()) {
            std::fprintf(stderr, "qlntool play: %s\n", error.c_str());
            return 1;
        }
    }
    sim::SimDesktop desktop(desktopOptions);
    if (o.desktop) {
        if (const std::string error = loadDesktopDescription(*o.desktop, desktop); !error.empty()) {
            std::fprintf(stderr, "qlntool play: %s\n", error.c_str());
            return 1;
        }
    }
    for (const auto& answer : o.answers) desktop.prompts().addAnswer(answer);

    if (o.x11 && !o.dryRun) return playOnX11(macro, desktop, o.abortAt);

    NoteSwap swap(desktop.trace());
    PlaybackSession session(desktop.platform(), &swap);
    desktop.pump().setHandler(&session);
    if (o.abortAt) desktop.pump().postAt(*o.abortAt, hook::AbortRequest{});
    session.playTriggered(macro);

    std::string out = desktop.trace().format(0);
    if (o.dumpDesktop) out += dumpDesktop(desktop);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

}  // namespace qln::tool
