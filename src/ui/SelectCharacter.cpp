#include "ui/SelectCharacter.h"

#include <algorithm>

namespace qln::selectcharacter {

int characterAt(int row, int column) {
    if (row < 0 || row >= Rows || column < 0 || column >= Columns) return 0;
    return row * Columns + column + First;
}

Cell cellOf(int character) {
    if (character < First || character > 255) return {};
    return {(character - First) / Columns, (character - First) % Columns};
}

int topNearRow(int rowTop, int rowHeight, int height, int screenTop, int screenHeight) {
    const int screenBottom = screenTop + screenHeight;
    int top = rowTop + rowHeight;
    if (top + height > screenBottom) top = rowTop - height;
    top = std::min(top, screenBottom - height);
    return std::max(top, screenTop);
}

}  // namespace qln::selectcharacter
