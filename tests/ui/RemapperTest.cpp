// The Keyboard Remapper's logic and the arithmetic of its Select Character grid.
#include <gtest/gtest.h>

#include "ui/Remapper.h"
#include "ui/SelectCharacter.h"

namespace qln {
namespace {

TEST(Remapper, GridsCoverTheRemapRecord) {
    const Remapper r{Vexmap()};
    struct Case {
        Remapper::Grid grid;
        int rows;
        char first, last;
    };
    const Case cases[] = {{Remapper::UpperGrid, 26, 'A', 'Z'},
                          {Remapper::LowerGrid, 26, 'a', 'z'},
                          {Remapper::PunctGrid, 31, ' ', '~'},
                          {Remapper::NumGrid, 10, '0', '9'}};
    for (const Case& c : cases) {
        EXPECT_EQ(Remapper::rows(c.grid), c.rows);
        EXPECT_EQ(Remapper::key(c.grid, 0), c.first);
        EXPECT_EQ(Remapper::key(c.grid, c.rows - 1), c.last);
        EXPECT_EQ(r.produced(c.grid, c.rows - 1), c.last);
    }
    EXPECT_EQ(Remapper::key(Remapper::PunctGrid, 29), '}');
    EXPECT_THROW(r.produced(Remapper::NumGrid, 10), std::out_of_range);
}

TEST(Remapper, ChangesReachTheTables) {
    Remapper r{Vexmap()};
    EXPECT_FALSE(r.changed());
    r.setProduced(Remapper::NumGrid, 3, 0);
    EXPECT_EQ(r.producedText(Remapper::NumGrid, 3), "none");
    EXPECT_EQ(r.tables().tables()[55], 0);
    r.setProduced(Remapper::LowerGrid, 0, 0xE9);
    EXPECT_EQ(r.producedText(Remapper::LowerGrid, 0), "\xE9");
    EXPECT_EQ(r.tables().tables()[26], 0xE9);
    EXPECT_TRUE(r.changed());
    EXPECT_TRUE(r.tables().SwapsInUse());
    // Set back as it was: nothing to write.
    r.setProduced(Remapper::NumGrid, 3, '3');
    r.setProduced(Remapper::LowerGrid, 0, 'a');
    EXPECT_FALSE(r.changed());
}

TEST(Remapper, BrowseModeChangesNothing) {
    Remapper r{Vexmap()};
    r.browseMode = true;
    r.setProduced(Remapper::UpperGrid, 0, 'B');
    EXPECT_EQ(r.produced(Remapper::UpperGrid, 0), 'A');
    EXPECT_FALSE(r.changed());
}

TEST(SelectCharacter, CellArithmetic) {
    using namespace selectcharacter;
    const std::tuple<int, int, int> cases[] = {{0, 0, 32}, {0, 27, 59}, {1, 0, 60}, {7, 27, 255}, {2, 5, 93}};
    for (const auto& [row, column, character] : cases) {
        EXPECT_EQ(characterAt(row, column), character);
        EXPECT_EQ(cellOf(character), (Cell{row, column}));
    }
    EXPECT_EQ(characterAt(8, 0), 0);
    EXPECT_EQ(characterAt(0, 28), 0);
    EXPECT_EQ(characterAt(-1, 0), 0);
    EXPECT_EQ(cellOf(0), Cell{});
    EXPECT_EQ(cellOf(31), Cell{});
}

TEST(SelectCharacter, PlacedNearTheRowAndOnTheScreen) {
    using selectcharacter::topNearRow;
    EXPECT_EQ(topNearRow(100, 20, 200, 0, 768), 120);  // below the row
    EXPECT_EQ(topNearRow(600, 20, 200, 0, 768), 400);  // no room below: above it
    EXPECT_EQ(topNearRow(150, 20, 700, 0, 768), 0);    // taller than the room on either side
    EXPECT_EQ(topNearRow(-50, 20, 200, 0, 768), 0);
}

}  // namespace
}  // namespace qln
