#pragma once

#include <cstdint>
#include <vector>

#include "store/MacroRecord.h"

namespace qln {

// A Popup Menu macro keeps, in place of text, a 16-bit count and that many 16-bit macro numbers.

// The items of a popup macro, in menu order.  A damaged count is limited to what the field can hold.
std::vector<std::uint16_t> readPopupItems(const MacroRecord& record);
// Writes the items (at most what the field holds) and zeroes the rest of the field.
void writePopupItems(MacroRecord& record, const std::vector<std::uint16_t>& items);
// The list after macro `removed` is taken out of the set: its entries go, later numbers move down by one.
std::vector<std::uint16_t> renumberAfterRemoval(const std::vector<std::uint16_t>& items, std::uint16_t removed);

constexpr std::size_t MaxPopupItems = (record::TextField - 2) / 2;

}  // namespace qln
