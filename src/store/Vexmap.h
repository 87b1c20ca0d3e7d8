#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qln {

// The keyboard remapper's tables: the character each key produces (0 = nothing).  Stored beside each macro file
// as one 93-byte record: upper case A..Z, lower case a..z, digits 0..9, then the 31 punctuation keys.
class Vexmap {
public:
    static constexpr std::size_t Size = 93;
    static constexpr std::string_view Punctuation = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";

    Vexmap() { InitVexmap(); }

    // Every key produces itself.
    void InitVexmap();
    // Reads the remap file; one that cannot be read (or is too short) leaves the tables as they were.
    bool LoadVexmap(const std::string& path);
    // Writes the remap file; false (and nothing said) when it cannot be written.
    bool SaveVexmap(const std::string& path) const;
    // Some key produces something other than itself.
    bool SwapsInUse() const;
    // The remap file of a macro file: loaded when it exists, else created with the defaults.
    void GetSwapFile(const std::string& macroFile);

    std::array<std::uint8_t, Size>& tables() { return tables_; }
    const std::array<std::uint8_t, Size>& tables() const { return tables_; }

private:
    std::array<std::uint8_t, Size> tables_{};
};

}  // namespace qln
