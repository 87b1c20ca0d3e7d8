#include "SimulateCommand.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Scenario.h"
#include "SimulateRig.h"
#include "core/SettingsFile.h"
#include "store/HotKeyNames.h"

namespace qln::tool {

namespace {

constexpr const char* kUsage = "usage: qlntool simulate [--file FILE.QLN] SCENARIO\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "qlntool simulate: %s\n", message.c_str());
    return 1;
}

bool readWhole(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The records of a macro file; a partial record at its end is left out.
std::vector<MacroRecord> decodeRecords(const std::string& bytes) {
    std::vector<MacroRecord> out;
    const std::size_t count = std::min<std::size_t>(bytes.size() / record::Size, MaxMacros);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * record::Size;
        out.push_back(MacroRecord::decode(std::span<const std::uint8_t, record::Size>(data, record::Size)));
    }
    return out;
}

// A setting by its key in the settings file.
std::string applySetting(Settings& s, const std::string& key, const std::string& value) {
    if (key == "Solitary Usage") s.snipwordSolitaryUsage = readFlag(value);
    else if (key == "Case Sensative") s.snipwordCaseSensitive = readFlag(value);
    else if (key == "Use Suffix") s.snipwordUseSuffix = readFlag(value);
    else if (key == "Prefix Keys") s.snipwordPrefixKeys = value.substr(0, 2);
    else if (key == "System Menu") s.systemMenu = readProfileInt(value);
    else if (key == "Use Tray") s.useTray = readFlag(value);
    else return "unknown setting '" + key + "'";
    return {};
}

std::string visible(const std::string& typed) {
    std::string out;
    for (const char c : typed) {
        if (c == '\r') out += "{enter}";
        else if (c == ' ') out += "{space}";
        else if (c == '\b') out += "{bs}";
        else if (c == '\t') out += "{tab}";
        else out += c;
    }
    return out;
}

// Each character reaches the program before the next is typed, unless `settle` is off.
void typeText(sim::SimDesktop& d, const std::string& text, bool settle) {
    d.trace().add("user types " + sim::EventTrace::quote(visible(text)));
    for (const char c : text) {
        d.hook().typeCharacter(static_cast<std::uint8_t>(c), d.layout().capsLockOn());
        if (settle) d.pump().processMessages();
    }
}

// Carries out one step; an error for a step that names nothing there.
std::string run(const ScenarioEvent& e, SimulateRig& rig) {
    using Kind = ScenarioEvent::Kind;
    sim::SimDesktop& d = rig.desktop;
    switch (e.kind) {
        case Kind::Window: {
            sim::SimDesktopWindows::Window w;
            w.title = e.text;
            w.pid = d.processes().start(e.program);
            w.rect = {0, 0, 640, 480};
            const WindowHandle h = d.windows().addWindow(w, e.flag);
            if (e.flag) {
                d.windows().setForeground(h);
                d.hook().windowActivated(h);
            }
            break;
        }
        case Kind::Program:
            d.processes().start(e.text, e.flag);
            break;
        case Kind::Front: {
            const WindowHandle h = d.windows().findWindow(e.text);
            if (h == 0) return "no window is titled '" + e.text + "'";
            d.windows().setForegroundWindow(h);
            d.hook().windowActivated(h);
            break;
        }
        case Kind::Press:
            if (e.duringPause) {
                d.prompts().addPauseAction([&d, e] {
                    d.trace().add("user presses " + hotKeyName(e.code) + (e.capsLock ? " (Caps Lock on)" : ""));
                    d.hook().pressHotKey(e.code, e.capsLock, d.windows().foregroundWindow());
                });
                break;
            }
            d.trace().add("user presses " + hotKeyName(e.code) + (e.capsLock ? " (Caps Lock on)" : ""));
            d.hook().pressHotKey(e.code, e.capsLock, d.windows().foregroundWindow());
            break;
        case Kind::Type:
            if (e.duringPause) {
                d.prompts().addPauseAction([&d, e] { typeText(d, e.text, false); });
                break;
            }
            typeText(d, e.text, !e.background);
            break;
        case Kind::Reset:
            d.hook().resetTyping();
            break;
        case Kind::Hold:
            d.physicalKeys().holdFor(e.ms);
            break;
        case Kind::Wait: {
            const std::uint64_t until = d.clock().tickCount() + e.ms;
            while (d.clock().tickCount() < until) d.pump().waitUntil(until);
            break;
        }
        case Kind::Answer:
            d.prompts().addAnswer(e.text);
            break;
        case Kind::Menu:
            rig.menu.choices.push_back(e.choice);
            break;
        case Kind::NetworkChange:
            rig.host.networkChanged = true;
            break;
        case Kind::Capture:
            rig.host.capture = e.flag;
            break;
    }
    if (!e.background) d.pump().processMessages();
    return {};
}

}  // namespace

int simulateCommand(std::span<const std::string_view> args) {
    std::string file, scenarioPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--file" && i + 1 < args.size()) {
            file = args[++i];
        } else if (scenarioPath.empty() && !args[i].starts_with("--")) {
            scenarioPath = args[i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (scenarioPath.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string text;
    if (!readWhole(scenarioPath, text)) return fail("cannot read '" + scenarioPath + "'");
    Scenario scenario;
    if (const std::string error = parseScenario(text, scenario); !error.empty())
        return fail(scenarioPath + ": " + error);

    std::vector<MacroRecord> records;
    if (!file.empty()) {
        std::string bytes;
        if (!readWhole(file, bytes)) return fail("cannot read '" + file + "'");
        records = decodeRecords(bytes);
    }
    records.insert(records.end(), scenario.macros.begin(), scenario.macros.end());
    Settings settings;
    for (const auto& [key, value] : scenario.settings)
        if (const std::string error = applySetting(settings, key, value); !error.empty())
            return fail(scenarioPath + ": " + error);

    SimulateRig rig(records, settings);
    for (const ScenarioEvent& e : scenario.events)
        if (const std::string error = run(e, rig); !error.empty())
            return fail(scenarioPath + ": line " + std::to_string(e.line) + ": " + error);
    rig.desktop.pump().processMessages();
    const std::string out = rig.desktop.trace().format(0);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

}  // namespace qln::tool
