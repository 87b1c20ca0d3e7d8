// The macro list on the screen: rows from a loaded set, italics for deactivated macros, the selection across a
// sort, type-ahead, right clicks and column widths.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "gui/list/MacroListHeader.h"
#include "gui/list/MacroListView.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/HotKeyNames.h"
#include "store/InMemoryMacroStore.h"

namespace qln::gui {
namespace {

std::uint16_t code(const std::string& name) {
    for (int c = 0; c < HotKeyCount; ++c)
        if (hotKeyName(c) == name) return static_cast<std::uint16_t>(c);
    return 0;
}

MacroRecord macro(const std::string& nick, const std::string& key, std::uint8_t active = 1) {
    MacroRecord r;
    r.nickname = nick;
    r.hotKeyCode = code(key);
    r.active = active;
    return r;
}

// Macros 1 to 3 as given; the load appends the four system macros as 4 to 7.
struct ListFixture : ::testing::Test {
    sim::SimClock clock{{2026, 3, 2, 9, 0, 0, 0}};
    sim::SimHookLibrary hook{&clock};
    TriggerTable trigger;
    MacroNames names;
    MacroTable table{trigger, names, hook};
    InMemoryMacroStore store{table, clock};
    Settings settings;
    std::unique_ptr<MacroListView> view;

    void SetUp() override {
        store.load({macro("zeta", "Ctrl+B"), macro("alpha", "Ctrl+A", 0), macro("mid", "Ctrl+S")});
        view = std::make_unique<MacroListView>(table, settings);
        view->resize(600, 300);
    }
    QModelIndex cell(int macro, int column) const {
        return view->model()->index(view->list().rowOf(macro) - 1, column);
    }
    int currentMacro() const { return view->list().macroAt(view->currentIndex().row() + 1); }
};

TEST_F(ListFixture, ShowsEveryMacroUnderTheHeader) {
    EXPECT_EQ(view->objectName(), "KeyList");
    EXPECT_EQ(view->rowCount(), 8);
    ASSERT_EQ(view->model()->rowCount(), 7);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Activation");
    EXPECT_EQ(cell(1, 2).data().toString(), "zeta");
    EXPECT_EQ(cell(4, 3).data().toString(), "SYSTEM");
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "1");
    EXPECT_EQ(view->columnWidth(2), settings.col2Width);
}

TEST_F(ListFixture, DeactivatedRowIsItalicButItsNumber) {
    EXPECT_TRUE(cell(2, 2).data(Qt::FontRole).value<QFont>().italic());
    EXPECT_TRUE(cell(2, 1).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(cell(2, 0).data(Qt::FontRole).value<QFont>().italic());
    EXPECT_FALSE(cell(2, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(cell(1, 2).data(Qt::FontRole).value<QFont>().italic());
}

TEST_F(ListFixture, ResortKeepsTheSelectedMacro) {
    view->setSelectedRow(view->list().rowOf(1));
    const int before = view->selectedRow();
    settings.primarySort = "213";  // by nickname: "zeta" goes last
    view->resort();
    EXPECT_NE(view->selectedRow(), before);
    EXPECT_EQ(view->selectedRow(), 7);
    EXPECT_EQ(view->selectedMacro(), 1);
    EXPECT_EQ(currentMacro(), 1);
}

TEST_F(ListFixture, TypeAheadSelectsTheRow) {
    QSignalSpy moved(view.get(), &MacroListView::selectedMacroChanged);
    QTest::keyClicks(view.get(), "cTRL+s");
    EXPECT_EQ(view->selectedMacro(), 3);
    EXPECT_EQ(currentMacro(), 3);
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.last().at(0).toInt(), 3);
}

TEST_F(ListFixture, RightClicks) {
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    auto* header = static_cast<MacroListHeader*>(view->horizontalHeader());
    QSignalSpy sorted(view.get(), &MacroListView::sortSettingsChanged);
    const QPoint nickname(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::RightButton, {}, nickname);
    EXPECT_EQ(settings.primarySort, "213");
    QTest::mouseClick(header->viewport(), Qt::RightButton, {}, nickname);  // already primary
    EXPECT_EQ(sorted.count(), 1);

    QSignalSpy info(view.get(), &MacroListView::quickInfoRequested);
    const int selected = view->selectedMacro();
    const QPoint row3(10, view->rowViewportPosition(2) + 2);
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, row3);
    ASSERT_EQ(info.count(), 1);
    EXPECT_EQ(info.first().at(0).toInt(), view->list().macroAt(3));
    EXPECT_EQ(view->selectedMacro(), selected);  // a right click does not select
}

TEST_F(ListFixture, ResizedColumnGoesBackToTheSettings) {
    QSignalSpy resized(view.get(), &MacroListView::columnWidthsChanged);
    view->horizontalHeader()->resizeSection(3, 201);
    EXPECT_EQ(settings.col3Width, 201);
    QTest::mouseRelease(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(resized.count(), 1);
}

}  // namespace
}  // namespace qln::gui
