#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "store/InMemoryMacroStore.h"
#include "triggers/Triggers.h"

namespace qln::tool {

// The macro menu of a scenario: each showing takes the next scripted choice (a position, or cancel).
class ScenarioMenu : public IMacroMenu {
public:
    explicit ScenarioMenu(sim::EventTrace& trace) : trace_(trace) {}
    int showMacroMenu(const MacroMenuRequest& request) override;
    std::deque<int> choices;  // positions 0..35; -1 cancels

private:
    sim::EventTrace& trace_;
};

// The main window as far as the triggers ask for it.
class ScenarioHost : public ITriggerHost {
public:
    ScenarioHost(InMemoryMacroStore& store, MacroTable& macros, OnTopMessage& messages, sim::EventTrace& trace)
        : store_(store), macros_(macros), messages_(messages), trace_(trace) {}
    bool captureRunning() const override { return capture; }
    void warning(std::string_view text) override { messages_.DoAMessage("Warning", text); }
    void ActivateMe() override { trace_.add("activate Quillon"); }
    void StartACapture() override { trace_.add("start capture"); }
    bool reloadChangedNetworkFile() override;
    std::optional<MacroRecord> readMacro(int n) override;
    bool useTray() const override { return useTrayMode; }

    bool capture = false;
    bool networkChanged = false;
    bool useTrayMode = false;

private:
    InMemoryMacroStore& store_;
    MacroTable& macros_;
    OnTopMessage& messages_;
    sim::EventTrace& trace_;
};

// A macro set with its triggers on the simulated desktop; messages are routed as the main window routes them.
class SimulateRig : public IMessageHandler {
public:
    SimulateRig(const std::vector<MacroRecord>& records, const Settings& settings);
    void handleMessage(const Message& m) override;

    sim::SimDesktop desktop{{.notepad = false}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, desktop.hook()};
    InMemoryMacroStore store{macros, desktop.clock()};
    Settings settings;
    PlaybackSession playback{desktop.platform()};
    ScenarioMenu menu{desktop.trace()};
    ScenarioHost host{store, macros, playback.messages(), desktop.trace()};
    Triggers triggers{{macros, playback, menu, desktop.physicalKeys(), settings, host, "QUILLON"}};
};

}  // namespace qln::tool
