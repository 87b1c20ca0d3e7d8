#pragma once

#include <string>

#include "platform/HookMessages.h"
#include "platform/Platform.h"
#include "store/TriggerTable.h"
#include "triggers/DispatchState.h"

namespace qln {

// Message 0x407: notes the program in front and the windows to return to, and lists the running programs for
// Program macros.
class WindowActivation {
public:
    // `ownProgram`: this program's own file name, whose windows never count as another program's.
    WindowActivation(Platform& platform, TriggerTable& table, DispatchState& state, std::string ownProgram);

    void windowActivated(const hook::WindowActivated& m);

private:
    void publishProgram(const std::string& program);
    void publishProgramList(const std::vector<ProcessInfo>& processes);

    Platform& platform_;
    TriggerTable& table_;
    DispatchState& state_;
    std::string ownProgram_;
};

}  // namespace qln
