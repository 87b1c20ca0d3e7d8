#include "ui/SortOrder.h"

#include <algorithm>
#include <utility>

namespace qln {

namespace {

const std::vector<std::vector<std::string>>& displayNames() {
    static const std::vector<std::vector<std::string>> names = {
        {"Activation", "Nickname", "Scope"},
        {"Hot Key", "Snipword", "Timed Macro"},
        {"Global", "Specific Window", "Specific Program", "PopUp Menu", "System"}};
    return names;
}

}  // namespace

std::vector<int> orderFromDigits(std::string_view digits, int count) {
    std::vector<int> order;
    auto taken = [&](int item) { return std::find(order.begin(), order.end(), item) != order.end(); };
    for (char c : digits) {
        const int item = c - '0';
        if (item >= 1 && item <= count && !taken(item)) order.push_back(item);
    }
    for (int item = 1; item <= count; ++item)
        if (!taken(item)) order.push_back(item);
    return order;
}

std::string digitsFromOrder(const std::vector<int>& order) {
    std::string digits;
    for (int item : order) digits += static_cast<char>('0' + item);
    return digits;
}

SortOrder::SortOrder(const Settings& settings) : sortHeader(settings.sortHeader) {
    lists_[Criteria].order = orderFromDigits(settings.primarySort, 3);
    lists_[Activations].order = orderFromDigits(settings.activationSort, 3);
    lists_[Scopes].order = orderFromDigits(settings.scopeSort, 5);
}

std::vector<std::string> SortOrder::items(List list) const {
    std::vector<std::string> names;
    for (int item : lists_[list].order) names.push_back(displayNames()[list][static_cast<std::size_t>(item - 1)]);
    return names;
}

void SortOrder::select(List list, int index) {
    const int count = static_cast<int>(lists_[list].order.size());
    lists_[list].selected = index >= 0 && index < count ? index : -1;
}

bool SortOrder::upEnabled(List list) const {
    return lists_[list].selected > 0;
}

bool SortOrder::downEnabled(List list) const {
    const OrderList& l = lists_[list];
    // Nothing selected has nothing to move down either.
    return l.selected >= 0 && l.selected < static_cast<int>(l.order.size()) - 1;
}

void SortOrder::up(List list) {
    if (!upEnabled(list)) return;
    OrderList& l = lists_[list];
    std::swap(l.order[static_cast<std::size_t>(l.selected)], l.order[static_cast<std::size_t>(l.selected - 1)]);
    --l.selected;
}

void SortOrder::down(List list) {
    if (!downEnabled(list)) return;
    OrderList& l = lists_[list];
    std::swap(l.order[static_cast<std::size_t>(l.selected)], l.order[static_cast<std::size_t>(l.selected + 1)]);
    ++l.selected;
}

void SortOrder::store(Settings& settings) const {
    settings.primarySort = digitsFromOrder(lists_[Criteria].order);
    settings.activationSort = digitsFromOrder(lists_[Activations].order);
    settings.scopeSort = digitsFromOrder(lists_[Scopes].order);
    settings.sortHeader = sortHeader;
}

}  // namespace qln
