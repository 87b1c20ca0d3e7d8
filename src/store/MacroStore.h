#pragma once

#include "store/MacroRecord.h"

namespace qln {

// Where a macro set keeps its full records: the macro file, or memory.
class IMacroStore {
public:
    virtual ~IMacroStore() = default;
    // Writes the record as macro number n (n = count + 1 appends) and publishes it.  false when it could not be
    // stored (the user has been told): nothing was published.  The caller raises the count of an append only
    // after the store succeeded.
    virtual bool store(int n, const MacroRecord& record) = 0;
};

}  // namespace qln
