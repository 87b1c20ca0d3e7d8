#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "store/HotKeyNames.h"
#include "store/InMemoryMacroStore.h"
#include "store/PopupItems.h"
#include "triggers/Triggers.h"

namespace qln::test {

// A code by its name ("Ctrl+Alt+H").
inline std::uint16_t codeOf(std::string_view name) {
    for (int c = 0; c < HotKeyCount; ++c)
        if (hotKeyName(c) == name) return static_cast<std::uint16_t>(c);
    throw std::invalid_argument(std::string(name));
}

inline MacroRecord macro(std::string nickname, std::string_view key, std::int16_t scope, std::string text,
                         std::string name = {}, bool topMost = false) {
    MacroRecord r;
    r.nickname = std::move(nickname);
    r.hotKeyCode = key == "snip" ? HotKeySnipword : codeOf(key);
    r.scope = scope;
    r.windowName = std::move(name);
    r.topMostOnly = topMost ? 1 : 0;
    r.setText(text);
    return r;
}

// The macro menu answers from a script; without an answer it is cancelled.
class ScriptedMenu : public IMacroMenu {
public:
    explicit ScriptedMenu(sim::EventTrace& trace) : trace_(trace) {}
    int showMacroMenu(const MacroMenuRequest& r) override {
        requests.push_back(r);
        std::string entries;
        for (const int m : r.macros) entries += " " + std::to_string(m);
        trace_.add("menu" + entries);
        const int chosen = answers.empty() ? -1 : answers.front();
        if (!answers.empty()) answers.pop_front();
        return chosen;
    }
    std::deque<int> answers;
    std::vector<MacroMenuRequest> requests;

private:
    sim::EventTrace& trace_;
};

class Host : public ITriggerHost {
public:
    Host(InMemoryMacroStore& store, sim::EventTrace& trace) : store_(store), trace_(trace) {}
    bool captureRunning() const override { return capture; }
    void warning(std::string_view text) override { trace_.add("warning " + std::string(text)); }
    void ActivateMe() override { trace_.add("ActivateMe"); }
    void StartACapture() override { trace_.add("StartACapture"); }
    bool reloadChangedNetworkFile() override { return std::exchange(networkChanged, false); }
    std::optional<MacroRecord> readMacro(int n) override {
        if (n < 1 || n > static_cast<int>(store_.records().size())) return std::nullopt;
        return store_.read(n);
    }
    bool useTray() const override { return false; }
    bool capture = false, networkChanged = false;

private:
    InMemoryMacroStore& store_;
    sim::EventTrace& trace_;
};

// The triggers on a simulated desktop with an in-memory macro set; the pump routes messages as the main window does.
struct TriggerRig : IMessageHandler {
    explicit TriggerRig(const std::vector<MacroRecord>& records, Settings s = {}, ICommandEffects* effects = nullptr)
        : settings(s), playback(desktop.platform(), nullptr, effects) {
        store.load(records);
        desktop.pump().setHandler(this);
        desktop.hook().QlnUpInit(table.image());
        triggers.SetHotKeys();
    }
    void handleMessage(const Message& m) override {
        if (std::holds_alternative<hook::InUseCleared>(m)) {
            table.setInUse(false);
            desktop.trace().add("in use cleared");
        } else if (!triggers.handleMessage(m)) {
            playback.handleMessage(m);
        }
    }
    // The user presses a hot key in the window in front; everything it starts runs to its end.
    void press(std::string_view key, bool caps = false) {
        desktop.hook().pressHotKey(codeOf(key), caps, desktop.windows().foregroundWindow());
        settle();
    }
    void type(std::string_view text) {
        for (const char c : text) {
            desktop.hook().typeCharacter(static_cast<std::uint8_t>(c), false);
            settle();
        }
    }
    void settle() { desktop.pump().waitUntil(desktop.clock().tickCount() + 10); }
    WindowHandle addWindow(std::string title, std::string program, bool front = false) {
        sim::SimDesktopWindows::Window w;
        w.title = std::move(title);
        w.pid = desktop.processes().start(std::move(program));
        w.rect = {0, 0, 300, 200};
        const WindowHandle h = desktop.windows().addWindow(w, front);
        if (front) desktop.windows().setForeground(h);
        return h;
    }
    void activated(WindowHandle w) {
        triggers.handleMessage(hook::WindowActivated{w});
    }
    std::vector<std::string> trace() const { return desktop.trace().lines(); }

    sim::SimDesktop desktop{{}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, desktop.hook()};
    InMemoryMacroStore store{macros, desktop.clock()};
    Settings settings;
    PlaybackSession playback;
    ScriptedMenu menu{desktop.trace()};
    Host host{store, desktop.trace()};
    Triggers triggers{{macros, playback, menu, desktop.physicalKeys(), settings, host, "QUILLON"}};
};

}  // namespace qln::test
