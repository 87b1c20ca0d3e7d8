#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "core/FileError.h"
#include "playback/CommandEffects.h"
#include "playback/PlaybackSession.h"
#include "support/TraceReading.h"

namespace qln::test {

// Effects that note every call, so tests can check what a tag handed over.
class RecordingEffects : public ICommandEffects {
public:
    std::vector<std::string> calls;
    bool activateResult = true;
    bool launchResult = true;
    std::optional<std::string> fileContents;
    std::optional<std::uint16_t> promptAnswer;
    bool failSwap = false;  // "<SWAP:" fails as a read-only shared folder makes it

    bool ActivateIt(std::string_view title) override {
        note("activate", title);
        return activateResult;
    }
    void windowCommand(WindowCommand c, std::string_view title) override {
        note("window" + std::to_string(static_cast<int>(c)), title);
    }
    void sizeWindow(std::string_view title, long w, long h) override {
        note("size " + std::to_string(w) + "x" + std::to_string(h), title);
    }
    void moveWindow(std::string_view title, long x, long y) override {
        note("move " + std::to_string(x) + "," + std::to_string(y), title);
    }
    void launch(std::string_view program, std::string_view args) override {
        note("launch", std::string(program) + "|" + std::string(args));
    }
    bool launchAndWait(bool yes, long seconds, std::string_view title, std::string_view program,
                       std::string_view args) override {
        note(std::string(yes ? "launchyes " : "launchno ") + std::to_string(seconds),
             std::string(title) + "|" + std::string(program) + "|" + std::string(args));
        return launchResult;
    }
    void openAddress(std::string_view a) override { note("open", a); }
    void putOnClipboard(std::string_view t) override { note("clip", t); }
    std::optional<std::string> readTextFile(std::string_view f) override {
        note("read", f);
        return fileContents;
    }
    void changeFolder(std::string_view f) override { note("chdir", f); }
    void deleteFile(std::string_view f) override { note("delete", f); }
    void copyFile(std::string_view s, std::string_view t) override { note("copy", std::string(s) + "|" + std::string(t)); }
    void renameFile(std::string_view s, std::string_view t) override {
        note("rename", std::string(s) + "|" + std::string(t));
    }
    void swapMacroFile(std::string_view f) override {
        note("swap", f);
        if (failSwap) throw FileError(std::string(f), "Permission denied");
    }
    void beep() override { note("beep", ""); }
    void playWave(std::string_view f, bool wait) override { note(wait ? "wav1" : "wav2", f); }
    std::optional<std::uint16_t> DoRepPrompt() override {
        note("prompt", "");
        return promptAnswer;
    }

private:
    void note(const std::string& what, std::string_view arg) { calls.push_back(what + " [" + std::string(arg) + "]"); }
};

using HarnessOptions = sim::SimDesktopOptions;

// A player on a fresh simulated desktop, whose tags are only noted.
class Harness {
public:
    explicit Harness(const HarnessOptions& o = {})
        : desktop(o), session(desktop.platform(), nullptr, &effects), player(session.player()) {
        player.state().capsLockFlag = o.capsLock;
        player.state().returnWindow = desktop.windows().foregroundWindow();
    }

    void play(std::string_view text, std::uint16_t hotKeyCode = 10000) {
        player.IntoProgram(PlaybackMacro{"Test macro", hotKeyCode, std::string(text)});
    }

    std::string events() const { return shortTrace(desktop.trace().lines()); }
    // Full lines with their times: "2001 key 65 down".
    std::string timed() const { return desktop.trace().format(0); }

    sim::SimDesktop desktop;
    RecordingEffects effects;
    PlaybackSession session;
    Player& player;
};

}  // namespace qln::test
