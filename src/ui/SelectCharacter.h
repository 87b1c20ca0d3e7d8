#pragma once

#include <cstdint>

namespace qln {

// "Select Character" (TDoSwapSpecial): the characters 32..255 in a grid of 28 columns and 8 rows, in order.
namespace selectcharacter {

constexpr int Columns = 28;
constexpr int Rows = 8;
constexpr int First = 32;

// The character of a cell: row * 28 + column + 32; 0 outside the grid.
int characterAt(int row, int column);

struct Cell {
    int row = -1;
    int column = -1;  // -1 and -1: no cell (the key produces nothing, or a control character)
    bool operator==(const Cell&) const = default;
};
Cell cellOf(int character);

// The dialog's top: just below the row it was opened from, or above it when it would leave the screen below,
// and never off the screen.
int topNearRow(int rowTop, int rowHeight, int height, int screenTop, int screenHeight);

}  // namespace selectcharacter

}  // namespace qln
