#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/MacroRecord.h"

namespace qln::tool {

// One step of a scenario (format in docs/simulate.md).
struct ScenarioEvent {
    enum class Kind { Window, Program, Front, Press, Type, Reset, Hold, Wait, Answer, Menu, NetworkChange, Capture };
    Kind kind = Kind::Wait;
    int line = 0;
    std::string text;         // window title, program, typed text (Windows-1252), answer
    std::string program;      // a window's program
    std::uint16_t code = 0;   // hot key code
    bool capsLock = false;
    bool background = false;  // "&": the next step happens while this one runs
    bool duringPause = false; // "pause-press", "pause-type": while the next pause dialog is open
    bool flag = false;        // window in front / process of the user / capture on
    std::uint64_t ms = 0;
    int choice = -1;          // menu position 0..35, -1 cancel
};

struct Scenario {
    std::vector<MacroRecord> macros;
    std::vector<std::pair<std::string, std::string>> settings;  // key of the settings file, value
    std::vector<ScenarioEvent> events;
};

// Reads a scenario; an error naming the line, or an empty string.
std::string parseScenario(std::string_view text, Scenario& out);

// A hot key code by its name ("Ctrl+Alt+H"), ignoring case; -1 when there is none.
int hotKeyCodeOf(std::string_view name);

}  // namespace qln::tool
