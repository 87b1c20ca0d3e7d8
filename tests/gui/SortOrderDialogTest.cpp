// The Sort Order dialog: Up and Down, the check box, OK writing the digit strings, Cancel keeping them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "gui/list/SortOrderDialog.h"

namespace qln::gui {
namespace {

template <typename T>
T* part(const QDialog& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void moveUp(const QDialog& dialog, const char* list, int row) {
    part<QListWidget>(dialog, (std::string(list) + "List").c_str())->setCurrentRow(row);
    part<QPushButton>(dialog, (std::string(list) + "Up").c_str())->click();
}

TEST(SortOrderDialogForm, OkStoresTheListsAsDigits) {
    Settings settings;
    settings.activationSort = "312";
    SortOrderDialog dialog(settings);
    EXPECT_EQ(part<QListWidget>(dialog, "ActivationList")->item(0)->text(), "Timed Macro");
    EXPECT_FALSE(part<QPushButton>(dialog, "ScopeUp")->isEnabled());  // nothing selected yet
    moveUp(dialog, "Scope", 4);
    moveUp(dialog, "SortBy", 1);
    moveUp(dialog, "Activation", 2);
    EXPECT_EQ(part<QListWidget>(dialog, "ScopeList")->currentRow(), 3);
    EXPECT_FALSE(part<QPushButton>(dialog, "ScopeDown")->isEnabled() &&
                 part<QListWidget>(dialog, "ScopeList")->currentRow() == 4);
    part<QCheckBox>(dialog, "HeaderSort")->setChecked(false);
    part<QPushButton>(dialog, "OkButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.scopeSort, "12354");
    EXPECT_EQ(settings.primarySort, "213");
    EXPECT_EQ(settings.activationSort, "321");
    EXPECT_FALSE(settings.sortHeader);
}

TEST(SortOrderDialogForm, CancelKeepsTheSettings) {
    Settings settings;
    std::string helped;
    SortOrderDialog dialog(settings, [&](const std::string& page) { helped = page; });
    moveUp(dialog, "Scope", 1);
    part<QPushButton>(dialog, "HelpButton")->click();
    part<QPushButton>(dialog, "CancelButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(helped, "tsortorder.html");
}

}  // namespace
}  // namespace qln::gui
