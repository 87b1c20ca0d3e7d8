#pragma once

#include "platform/PhysicalKeys.h"
#include "triggers/MacroMenu.h"

namespace qln {

// For a desktop that has no macro menu yet: every menu is cancelled.
class CancelledMacroMenu final : public IMacroMenu {
public:
    int showMacroMenu(const MacroMenuRequest&) override { return -1; }
};

// For a desktop that cannot tell physical keys from synthetic ones: nothing is held.
class NoHeldKeys final : public IPhysicalKeys {
public:
    bool waitUntilReleased(std::chrono::milliseconds) override { return true; }
};

}  // namespace qln
