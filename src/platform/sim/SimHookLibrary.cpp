#include "platform/sim/SimHookLibrary.h"

#include <algorithm>

namespace qln::sim {

void SimHookLibrary::note(const char* name, std::uint32_t arg) {
    calls_.push_back({name, arg, clock_ ? clock_->tickCount() : 0});
}

std::uint32_t SimHookLibrary::hook(const char* name) {
    const std::uint32_t h = nextHook_++;
    hooks_.push_back(h);
    note(name, h);
    return h;
}

bool SimHookLibrary::QlnUnHook(std::uint32_t hook) {
    note("QlnUnHook", hook);
    const auto it = std::find(hooks_.begin(), hooks_.end(), hook);
    if (it == hooks_.end()) return false;
    hooks_.erase(it);
    return true;
}

void SimHookLibrary::update(const char* name, TableImage t) {
    for (const TableRegion& r : regionsOf(name)) std::copy_n(t.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length, block_.begin() + static_cast<std::ptrdiff_t>(r.offset));
    note(name, 0);
}

void SimHookLibrary::QlnUpItem(TableImage t, std::uint16_t macro) {
    // Numbers outside the arrays are refused, as the library must never write past them.
    if (macro >= 1 && macro <= hooktable::MaxMacros) {
        for (const TableRegion& r : itemRegions(macro))
            std::copy_n(t.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length, block_.begin() + static_cast<std::ptrdiff_t>(r.offset));
    }
    note("QlnUpItem", macro);
}

}  // namespace qln::sim
