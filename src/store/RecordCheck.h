#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/MacroRecord.h"

namespace qln {

// What is wrong with one macro record, read from its raw bytes.  Decoding quietly mends damage (a length byte
// past its field is cut to the field, a text without its zero ends at 5000 characters), so lists and the
// application ask here to say which field of which macro is damaged.
struct RecordDamage {
    std::size_t offset = 0;  // of the field within the record (record::Nickname, record::HotKey, ...)
    std::string field;       // the field's name for people: "nickname", "hot key code", ...
    std::string problem;     // what is wrong, without the record's own characters
    bool operator==(const RecordDamage&) const = default;
};

// 0 to 719 (a named hot key), 10000 (timed) or 20000 (Snipword).
bool isHotKeyCode(std::uint16_t code);

// Every damage found, in the order of the fields; empty for a sound record.
std::vector<RecordDamage> checkRecord(std::span<const std::uint8_t, record::Size> bytes);

// The first damage that shows the bytes are no macro record at all: a scope kind, hot key code, length byte or
// flag that no macro record holds (text or random bytes have them in nearly every record).  Nothing for a macro
// record, also one whose text or popup items are damaged.
std::optional<RecordDamage> notAMacroRecord(std::span<const std::uint8_t, record::Size> bytes);

}  // namespace qln
