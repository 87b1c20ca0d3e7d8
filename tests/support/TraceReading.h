#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace qln::test {

// Reads the lines of an event trace back ("key 65 down", "mouse 2 0 0 0", anything else as text).
struct TraceEvent {
    enum class Kind { Key, Mouse, Other } kind = Kind::Other;
    int vk = 0;
    bool down = false;
    int flags = 0, dx = 0, dy = 0, wheel = 0;
    std::string line;
};

inline TraceEvent readTraceLine(const std::string& line) {
    TraceEvent e;
    e.line = line;
    char dir[8] = {};
    if (std::sscanf(line.c_str(), "key %d %7s", &e.vk, dir) == 2) {
        e.kind = TraceEvent::Kind::Key;
        e.down = dir[0] == 'd';
    } else if (std::sscanf(line.c_str(), "mouse %d %d %d %d", &e.flags, &e.dx, &e.dy, &e.wheel) == 4) {
        e.kind = TraceEvent::Kind::Mouse;
    }
    return e;
}

// The trace in short form: "65d 65u" for keys, "m2,0,0,0" for mouse events, other events as they are
// (between bars), so tables of cases stay readable.
inline std::string shortTrace(const std::vector<std::string>& lines) {
    std::ostringstream out;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first) out << ' ';
        first = false;
        const TraceEvent e = readTraceLine(line);
        if (e.kind == TraceEvent::Kind::Key)
            out << e.vk << (e.down ? 'd' : 'u');
        else if (e.kind == TraceEvent::Kind::Mouse)
            out << 'm' << e.flags << ',' << e.dx << ',' << e.dy << ',' << e.wheel;
        else
            out << "| " << line << " |";
    }
    return out.str();
}

// Letters (lower case), digits and Tab read back from the key presses: what a macro typed, for readable cases.
inline std::string typedLetters(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        const TraceEvent e = readTraceLine(line);
        if (e.kind != TraceEvent::Kind::Key || !e.down) continue;
        if (e.vk >= 65 && e.vk <= 90) out += static_cast<char>(e.vk + 32);
        if (e.vk >= 48 && e.vk <= 57) out += static_cast<char>(e.vk);
        if (e.vk == 9) out += "<TAB>";
    }
    return out;
}

}  // namespace qln::test
