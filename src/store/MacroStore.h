#pragma once

#include "store/MacroRecord.h"

namespace qln {

// Where a macro set keeps its full records: the macro file, or memory.
class IMacroStore {
public:
    virtual ~IMacroStore() = default;
    // Writes the record as macro number n (n = count + 1 appends) and publishes it.
    virtual void store(int n, const MacroRecord& record) = 0;
};

}  // namespace qln
