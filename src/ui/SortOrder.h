#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"

namespace qln {

// The items of a sort setting (numbered 1..count) in the order its digit string gives.  A damaged string still
// gives every item exactly once: unknown and repeated digits are skipped, missing items follow in their own order.
std::vector<int> orderFromDigits(std::string_view digits, int count);
std::string digitsFromOrder(const std::vector<int>& order);

// The Sort Order dialog without its widgets: three lists that the user reorders with Up and Down, and the flag
// for re-sorting by a right click on a column header.
class SortOrder {
public:
    enum List { Criteria, Activations, Scopes };

    explicit SortOrder(const Settings& settings);

    // The display names of a list in its current order.
    std::vector<std::string> items(List list) const;
    int selected(List list) const { return lists_[list].selected; }  // -1 when nothing is selected
    void select(List list, int index);                               // out of range selects nothing

    bool upEnabled(List list) const;
    bool downEnabled(List list) const;
    // Exchange the selected item with its neighbour; the item stays selected.
    void up(List list);
    void down(List list);

    bool sortHeader = true;

    // OK: the lists back into their digit strings, and the flag.
    void store(Settings& settings) const;

private:
    struct OrderList {
        std::vector<int> order;  // item numbers, 1-based
        int selected = -1;
    };
    std::array<OrderList, 3> lists_;
};

}  // namespace qln
