// The Keyboard Remapper and Select Character forms on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "gui/triggers/RemapperDialog.h"
#include "gui/triggers/SelectCharacterDialog.h"

namespace qln::gui {
namespace {

QTableWidget* grid(const QWidget& d, const char* name) {
    auto* g = d.findChild<QTableWidget*>(name);
    EXPECT_NE(g, nullptr) << name;
    return g;
}

// Answers the Select Character dialog that the next double click opens.
void answerSelectCharacter(int row, int column, bool ok) {
    QTimer::singleShot(0, [=] {
        auto* select = qobject_cast<SelectCharacterDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(select, nullptr);
        grid(*select, "CharGrid")->setCurrentCell(row, column);
        QTest::mouseClick(select->findChild<QPushButton*>(ok ? "OkButton" : "CancelButton"), Qt::LeftButton);
    });
}

TEST(RemapperDialog, ShowsEachKeyAndWhatItProduces) {
    Vexmap tables;
    tables.tables()[52 + 3] = 0;    // 3 produces nothing
    tables.tables()[0] = 0xE9;      // A produces é
    RemapperDialog dialog(tables);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Keyboard Remapper");
    const std::pair<const char*, int> rows[] = {
        {"UpperGrid", 26}, {"LowerGrid", 26}, {"PunctGrid", 31}, {"NumGrid", 10}};
    for (const auto& [name, count] : rows) EXPECT_EQ(grid(dialog, name)->rowCount(), count) << name;
    QTableWidget* num = grid(dialog, "NumGrid");
    EXPECT_EQ(num->item(3, 0)->text(), "3");
    EXPECT_EQ(num->item(3, 1)->text(), "none");
    EXPECT_FALSE(num->item(3, 1)->font().bold());
    QTableWidget* upper = grid(dialog, "UpperGrid");
    EXPECT_EQ(upper->item(0, 1)->text(), QString::fromUtf8("\u00e9"));
    EXPECT_TRUE(upper->item(0, 1)->font().bold());
    EXPECT_EQ(grid(dialog, "PunctGrid")->item(29, 0)->text(), "}");
}

TEST(RemapperDialog, ADoubleClickChoosesTheCharacter) {
    RemapperDialog dialog{Vexmap()};
    dialog.show();
    QTableWidget* lower = grid(dialog, "LowerGrid");
    answerSelectCharacter(2, 5, false);
    emit lower->cellDoubleClicked(1, 1);
    EXPECT_FALSE(dialog.changed());
    answerSelectCharacter(2, 5, true);  // 2 * 28 + 5 + 32 = 93, ']'
    emit lower->cellDoubleClicked(1, 1);
    EXPECT_TRUE(dialog.changed());
    EXPECT_EQ(dialog.tables().tables()[27], 93);
    EXPECT_EQ(lower->item(1, 1)->text(), "]");
    emit lower->cellDoubleClicked(1, 0);  // the key column opens nothing
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.changed());
}

TEST(RemapperDialog, BrowseModeOpensNothing) {
    RemapperDialog dialog{Vexmap(), true};
    dialog.show();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* select = qobject_cast<SelectCharacterDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            select->reject();
        }
    });
    emit grid(dialog, "UpperGrid")->cellDoubleClicked(0, 1);
    QApplication::processEvents();
    EXPECT_FALSE(opened);
    EXPECT_FALSE(dialog.changed());
}

TEST(SelectCharacterDialog, TheCurrentCharacterIsSelectedAndADoubleClickTakesACell) {
    SelectCharacterDialog select(0xE9, 100, 20);
    select.show();
    EXPECT_EQ(select.windowTitle(), "Select Character");
    QTableWidget* chars = grid(select, "CharGrid");
    EXPECT_EQ(chars->rowCount(), 8);
    EXPECT_EQ(chars->columnCount(), 28);
    EXPECT_EQ(chars->currentRow() * 28 + chars->currentColumn() + 32, 0xE9);
    EXPECT_EQ(chars->item(7, 27)->text(), QString::fromUtf8("\u00ff"));
    EXPECT_EQ(chars->item(3, 12)->text(), QString::fromUtf8("\u20ac"));  // 0x80: the euro sign
    emit chars->cellDoubleClicked(7, 27);
    EXPECT_EQ(select.chosen(), 255);
    EXPECT_EQ(select.result(), QDialog::Accepted);
}

TEST(SelectCharacterDialog, ShowsTheWholeGridWithoutScrolling) {
    SelectCharacterDialog select(32, 100, 20);
    select.show();
    QTableWidget* chars = grid(select, "CharGrid");
    const QRect shown = chars->viewport()->rect();
    for (const auto& [row, column] : std::vector<std::pair<int, int>>{{0, 0}, {0, 27}, {7, 0}, {7, 27}})
        EXPECT_TRUE(shown.contains(chars->visualItemRect(chars->item(row, column)))) << row << " " << column;
}

TEST(SelectCharacterDialog, NoCurrentCharacterAndCancelTakeNothing) {
    SelectCharacterDialog select(0, 100, 20);
    select.show();
    EXPECT_EQ(grid(select, "CharGrid")->currentRow(), -1);
    QTest::mouseClick(select.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
    EXPECT_TRUE(select.isVisible());
    QTest::mouseClick(select.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(select.chosen(), 0);
}

}  // namespace
}  // namespace qln::gui
