#pragma once

#include <cstdint>
#include <span>

namespace qln {

// Makes the character keys of the real keyboard produce other characters while remapping is in use.  The tables
// are the remapper's 93 bytes: upper case A..Z, lower case a..z, digits 0..9, then the 31 punctuation keys
// " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~"; each entry is the character (32..255, Windows-1252) the key produces, 0 for
// nothing.
class IKeyRemapper {
public:
    virtual ~IKeyRemapper() = default;
    // Applies the tables (again, when they changed).  The keyboard as it was before the first apply is kept, so
    // restore() and a later start after a crash can bring it back.
    virtual void apply(std::span<const std::uint8_t, 93> tables) = 0;
    // Puts the keyboard back as it was before the first apply; nothing when nothing is applied.
    virtual void restore() = 0;
    virtual bool applied() const = 0;
};

}  // namespace qln
