#include "store/InMemoryMacroStore.h"

#include <stdexcept>
#include <string>

namespace qln {

void InMemoryMacroStore::load(const std::vector<MacroRecord>& records) {
    records_.clear();
    table_.setCount(0);
    for (const MacroRecord& r : records) {
        if (table_.count() >= MaxMacros) break;
        table_.setCount(table_.count() + 1);
        records_.push_back(r);
        table_.publish(table_.count(), r);
    }
    table_.UpNumKeys();
    table_.repairSystemMacros(*this, clock_);
}

bool InMemoryMacroStore::store(int n, const MacroRecord& record) {
    if (n < 1 || n > MaxMacros || n > static_cast<int>(records_.size()) + 1)
        throw std::out_of_range("cannot store macro " + std::to_string(n) + " in a set of " +
                                std::to_string(records_.size()));
    table_.publish(n, record);
    if (n == static_cast<int>(records_.size()) + 1)
        records_.push_back(record);
    else
        records_[static_cast<std::size_t>(n - 1)] = record;
    return true;
}

}  // namespace qln
