#pragma once

#include <vector>

#include "platform/Clock.h"
#include "store/MacroStore.h"
#include "store/MacroTable.h"

namespace qln {

// A macro set held in memory behind the same store and publish operations that the macro file uses.
class InMemoryMacroStore : public IMacroStore {
public:
    InMemoryMacroStore(MacroTable& table, const IClock& clock) : table_(table), clock_(clock) {}

    // Replaces the set by these records, as loading a file does: each record is published in turn, then the
    // count, then the system macros are repaired.  Records beyond 500 are left out.
    void load(const std::vector<MacroRecord>& records);
    bool store(int n, const MacroRecord& record) override;
    // Record n (1-based) as stored.
    const MacroRecord& read(int n) const { return records_.at(static_cast<std::size_t>(n - 1)); }
    const std::vector<MacroRecord>& records() const { return records_; }

private:
    MacroTable& table_;
    const IClock& clock_;
    std::vector<MacroRecord> records_;
};

}  // namespace qln
