#include "platform/posix/DesktopShell.h"

#include "core/Win1252.h"
#include "platform/posix/OpenTarget.h"
#include "platform/posix/Spawn.h"

namespace qln::posix {

void DesktopShell::open(std::string_view target, std::string_view arguments) {
    const std::string path = programSearchPath();
    const OpenPlan plan = planOpen(win1252ToUtf8(target), win1252ToUtf8(arguments), path);
    if (plan.program) {
        spawnDetached(plan.file, plan.arguments);
        return;
    }
    if (const std::string opener = findProgram("xdg-open", path); !opener.empty()) spawnDetached(opener, {plan.file});
}

}  // namespace qln::posix
