// The Sort Order dialog's lists, their Up and Down buttons, and the digit strings they give back.
#include <gtest/gtest.h>

#include "ui/SortOrder.h"

namespace qln {
namespace {

struct DigitsCase {
    std::string digits;
    int count;
    std::vector<int> order;
};

class SortOrderDigits : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(SortOrderDigits, EveryItemOnce) {
    EXPECT_EQ(orderFromDigits(GetParam().digits, GetParam().count), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(Cases, SortOrderDigits,
                         ::testing::Values(DigitsCase{"312", 3, {3, 1, 2}}, DigitsCase{"54321", 5, {5, 4, 3, 2, 1}},
                                           DigitsCase{"", 3, {1, 2, 3}}, DigitsCase{"113", 3, {1, 3, 2}},
                                           DigitsCase{"40 2", 3, {2, 1, 3}}, DigitsCase{"5", 5, {5, 1, 2, 3, 4}},
                                           DigitsCase{"3214", 3, {3, 2, 1}}));

TEST(SortOrderDialog, ListsShowTheCurrentOrder) {
    Settings settings;
    settings.primarySort = "312";
    settings.activationSort = "231";
    settings.scopeSort = "51432";
    settings.sortHeader = false;
    const SortOrder dialog(settings);
    EXPECT_EQ(dialog.items(SortOrder::Criteria), (std::vector<std::string>{"Scope", "Activation", "Nickname"}));
    EXPECT_EQ(dialog.items(SortOrder::Activations), (std::vector<std::string>{"Snipword", "Timed Macro", "Hot Key"}));
    EXPECT_EQ(dialog.items(SortOrder::Scopes),
              (std::vector<std::string>{"System", "Global", "PopUp Menu", "Specific Program", "Specific Window"}));
    EXPECT_FALSE(dialog.sortHeader);
    EXPECT_EQ(dialog.selected(SortOrder::Criteria), -1);
}

struct ButtonsCase {
    SortOrder::List list;
    int selected;
    bool up, down;
};

class SortOrderButtons : public ::testing::TestWithParam<ButtonsCase> {};

TEST_P(SortOrderButtons, Enabling) {
    SortOrder dialog{Settings{}};
    dialog.select(GetParam().list, GetParam().selected);
    EXPECT_EQ(dialog.upEnabled(GetParam().list), GetParam().up);
    EXPECT_EQ(dialog.downEnabled(GetParam().list), GetParam().down);
}

INSTANTIATE_TEST_SUITE_P(Cases, SortOrderButtons,
                         ::testing::Values(ButtonsCase{SortOrder::Criteria, -1, false, false},
                                           ButtonsCase{SortOrder::Criteria, 0, false, true},
                                           ButtonsCase{SortOrder::Criteria, 1, true, true},
                                           ButtonsCase{SortOrder::Criteria, 2, true, false},
                                           ButtonsCase{SortOrder::Criteria, 3, false, false},  // out of range
                                           ButtonsCase{SortOrder::Scopes, 2, true, true},
                                           ButtonsCase{SortOrder::Scopes, 4, true, false}));

TEST(SortOrderDialog, UpAndDownCarryTheSelectedItem) {
    Settings settings;
    SortOrder dialog(settings);
    dialog.select(SortOrder::Scopes, 2);
    dialog.up(SortOrder::Scopes);
    EXPECT_EQ(dialog.selected(SortOrder::Scopes), 1);
    dialog.up(SortOrder::Scopes);
    dialog.up(SortOrder::Scopes);  // already first: nothing
    EXPECT_EQ(dialog.selected(SortOrder::Scopes), 0);
    dialog.select(SortOrder::Criteria, 0);
    dialog.down(SortOrder::Criteria);
    dialog.down(SortOrder::Criteria);
    dialog.down(SortOrder::Criteria);  // already last: nothing
    EXPECT_EQ(dialog.selected(SortOrder::Criteria), 2);
    dialog.select(SortOrder::Activations, -1);
    dialog.down(SortOrder::Activations);  // nothing selected: nothing moves
    dialog.sortHeader = false;

    settings.lastDateFormat = 3;
    dialog.store(settings);
    EXPECT_EQ(settings.scopeSort, "31245");
    EXPECT_EQ(settings.primarySort, "231");
    EXPECT_EQ(settings.activationSort, "123");
    EXPECT_FALSE(settings.sortHeader);
    EXPECT_EQ(settings.lastDateFormat, 3);  // nothing else touched
}

TEST(SortOrderDialog, DamagedSettingsComeBackWhole) {
    Settings settings;
    settings.primarySort = "22";
    settings.activationSort = "";
    settings.scopeSort = "9";
    SortOrder(settings).store(settings);
    EXPECT_EQ(settings.primarySort, "213");
    EXPECT_EQ(settings.activationSort, "123");
    EXPECT_EQ(settings.scopeSort, "12345");
}

}  // namespace
}  // namespace qln
