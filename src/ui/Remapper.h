#pragma once

#include <cstdint>
#include <string>

#include "store/Vexmap.h"

namespace qln {

// The Keyboard Remapper (TDoVexmap) without its widgets: four grids of keys and the character each produces.
class Remapper {
public:
    enum Grid { UpperGrid, LowerGrid, PunctGrid, NumGrid };
    static constexpr int GridCount = 4;

    explicit Remapper(const Vexmap& tables) : tables_(tables), original_(tables) {}

    static const char* title(Grid g);  // "Upper Case", "Lower Case", "Punctuation", "Numeric"
    static int rows(Grid g);           // 26, 26, 31, 10
    // The key of a row: the character it produces by default.
    static std::uint8_t key(Grid g, int row);

    // The character the row's key produces now, 0 for nothing.
    std::uint8_t produced(Grid g, int row) const;
    // What the second column shows: the character, or "none" for 0 (Windows-1252).
    std::string producedText(Grid g, int row) const;
    void setProduced(Grid g, int row, std::uint8_t character);

    // Opened only to look: no entry can be changed.
    bool browseMode = false;

    // Some entry differs from what the dialog opened with: the caller writes the remap file and installs or
    // removes the remapping as SwapsInUse() now says.
    bool changed() const { return tables_.tables() != original_.tables(); }
    const Vexmap& tables() const { return tables_; }

private:
    static std::size_t offset(Grid g, int row);

    Vexmap tables_;
    Vexmap original_;
};

}  // namespace qln
