#include "ui/Remapper.h"

#include <stdexcept>

namespace qln {

namespace {
// Where each grid's table starts in the remap record, and its length.
constexpr std::size_t Starts[] = {0, 26, 62, 52};
constexpr int Rows[] = {26, 26, 31, 10};
}  // namespace

const char* Remapper::title(Grid g) {
    static const char* const titles[] = {"Upper Case", "Lower Case", "Punctuation", "Numeric"};
    return titles[g];
}

int Remapper::rows(Grid g) { return Rows[g]; }

std::size_t Remapper::offset(Grid g, int row) {
    if (row < 0 || row >= Rows[g]) throw std::out_of_range("remapper row " + std::to_string(row));
    return Starts[g] + static_cast<std::size_t>(row);
}

std::uint8_t Remapper::key(Grid g, int row) {
    static const Vexmap defaults;
    return defaults.tables()[offset(g, row)];
}

std::uint8_t Remapper::produced(Grid g, int row) const { return tables_.tables()[offset(g, row)]; }

std::string Remapper::producedText(Grid g, int row) const {
    const std::uint8_t c = produced(g, row);
    return c == 0 ? std::string("none") : std::string(1, static_cast<char>(c));
}

void Remapper::setProduced(Grid g, int row, std::uint8_t character) {
    if (browseMode) return;
    tables_.tables()[offset(g, row)] = character;
}

}  // namespace qln
