#include "triggers/NameMatch.h"

#include "core/TextCase.h"

namespace qln {

bool nameOccursIn(std::string_view name, std::string_view upperText) {
    return !name.empty() && upperText.find(upperWin1252(name)) != std::string_view::npos;
}

std::string programOfWindow(Platform& platform, WindowHandle w) {
    const std::uint32_t pid = w != 0 ? platform.windows.windowProcess(w) : 0;
    if (pid == 0) return {};
    for (const ProcessInfo& p : platform.processes.processes())
        if (p.pid == pid) return upperWin1252(p.programFile);
    return {};
}

}  // namespace qln
