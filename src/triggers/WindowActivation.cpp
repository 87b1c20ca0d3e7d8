#include "triggers/WindowActivation.h"

#include <algorithm>

#include "core/TextCase.h"

namespace qln {

namespace {

void putShortString(TriggerTable& table, std::size_t at, std::size_t chars, std::string_view text) {
    const std::size_t n = std::min(text.size(), chars);
    table.setByteAt(at, static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < chars; ++i)
        table.setByteAt(at + 1 + i, i < n ? static_cast<std::uint8_t>(text[i]) : 0);
}

}  // namespace

WindowActivation::WindowActivation(Platform& platform, TriggerTable& table, DispatchState& state,
                                   std::string ownProgram)
    : platform_(platform), table_(table), state_(state), ownProgram_(upperWin1252(ownProgram)) {}

void WindowActivation::windowActivated(const hook::WindowActivated& m) {
    const std::vector<ProcessInfo> processes = platform_.processes.processes();
    const std::uint32_t pid = m.window != 0 ? platform_.windows.windowProcess(m.window) : 0;
    std::string program;
    for (const ProcessInfo& p : processes) {
        if (pid != 0 && p.pid == pid) {
            program = upperWin1252(p.programFile);
            break;
        }
    }
    publishProgram(program);
    if (m.window != 0 && !platform_.windows.windowTitle(m.window).empty()) {
        state_.lastForeground = m.window;
        if (program != ownProgram_) state_.lastForegroundOfOther = m.window;
    }
    publishProgramList(processes);
}

void WindowActivation::publishProgram(const std::string& program) {
    state_.currentProgram = program;
    putShortString(table_, hooktable::ProgramName, hooktable::ProgramNameChars, program);
    platform_.hook.QlnUpProg(table_.image());
}

void WindowActivation::publishProgramList(const std::vector<ProcessInfo>& processes) {
    // A desktop runs hundreds of processes, most of them the system's: the user's own programs come first, so
    // that the library's 200 slots hold the ones a Program macro is likely to name.
    std::vector<std::string> own, others;
    auto addTo = [](std::vector<std::string>& list, std::string name) {
        if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(std::move(name));
    };
    for (const ProcessInfo& p : processes) {
        if (p.programFile.empty()) continue;
        addTo(p.ownedByUser ? own : others, upperWin1252(p.programFile));
    }
    state_.programs = std::move(own);
    for (std::string& name : others) addTo(state_.programs, std::move(name));

    std::size_t count = 0;
    for (; count < state_.programs.size() && count < hooktable::MaxPrograms; ++count)
        putShortString(table_, hooktable::ProgramListBase + (count + 1) * hooktable::ProgramListWidth,
                       hooktable::ProgramListChars, state_.programs[count]);
    for (std::size_t slot = count + 1; slot <= hooktable::MaxPrograms; ++slot)
        table_.setByteAt(hooktable::ProgramListBase + slot * hooktable::ProgramListWidth, 0);
    table_.set32At(hooktable::ProgramCount, static_cast<std::uint32_t>(count));
    platform_.hook.QlnUpProgs(table_.image());
}

}  // namespace qln
