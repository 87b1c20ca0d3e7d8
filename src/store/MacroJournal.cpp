#include "store/MacroJournal.h"

#include <array>
#include <cstring>

#include "core/FileError.h"
#include "store/MacroRecord.h"

namespace qln {

namespace {

constexpr char kMagic[8] = {'Q', 'L', 'N', 'J', 'R', 'N', 'L', '1'};
constexpr std::size_t kHeader = 8 + 8 + 8 + 8;  // magic, offset, new size, length
// The largest change there is: a whole file of 500 records.
constexpr std::uint64_t kMaxBytes = 500ULL * record::Size;

std::uint32_t crc32(std::string_view bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char ch : bytes) c = table[(c ^ static_cast<std::uint8_t>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

void put64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint64_t get64(const std::string& in, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

}  // namespace

MacroJournal::MacroJournal(const std::string& macroFile)
    : macroFile_(macroFile), path_(resolvedFilePath(macroFile) + ".journal") {}

std::string MacroJournal::encode(const Change& change) {
    std::string out(kMagic, sizeof kMagic);
    put64(out, change.offset);
    put64(out, change.newSize);
    put64(out, change.bytes.size());
    out += change.bytes;
    const std::uint32_t crc = crc32(out);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((crc >> (8 * i)) & 0xFF);
    return out;
}

std::optional<MacroJournal::Change> MacroJournal::decode(const std::string& bytes) {
    if (bytes.size() < kHeader + 4 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return std::nullopt;
    const std::uint64_t length = get64(bytes, 24);
    if (length > kMaxBytes || bytes.size() != kHeader + length + 4) return std::nullopt;
    std::uint32_t crc = 0;
    for (int i = 3; i >= 0; --i) crc = (crc << 8) | static_cast<std::uint8_t>(bytes[kHeader + length + static_cast<std::size_t>(i)]);
    if (crc != crc32(std::string_view(bytes).substr(0, kHeader + length))) return std::nullopt;
    Change c;
    c.offset = get64(bytes, 8);
    c.newSize = get64(bytes, 16);
    c.bytes = bytes.substr(kHeader, length);
    if (c.offset > kMaxBytes || c.newSize > kMaxBytes + record::Size || c.newSize < c.offset) return std::nullopt;
    return c;
}

bool MacroJournal::pending() const { return fileInfo(path_).kind == FileKind::Regular; }

void MacroJournal::make(File& file, const Change& change) {
    file.writeAt(change.offset, change.bytes);
    if (file.size() != change.newSize) file.truncate(change.newSize);
    file.flush();
}

void MacroJournal::write(const Change& change) const {
    File journal = File::open(path_, FileAccess::Write, FileCreate::IfMissing);
    if (!journal) throw FileError(macroFile_, "cannot write beside it: " + journal.reason());
    try {
        journal.truncate(0);
        journal.writeAt(0, encode(change));
        journal.flush();
        journal.close();
    } catch (const FileError& e) {
        removeFile(path_);
        // The user's file is what failed to change, whatever the name of the file that ran out of room.
        throw FileError(macroFile_, e.reason());
    }
}

void MacroJournal::apply(File& file, const Change& change) const {
    write(change);
    make(file, change);
    removeFile(path_);
}

bool MacroJournal::recover(File& file) const {
    if (!pending()) return false;
    std::string bytes;
    {
        const File journal = File::open(path_, FileAccess::Read);
        if (!journal || journal.size() > kHeader + kMaxBytes + 4) {
            removeFile(path_);
            return false;
        }
        bytes = journal.readAll();
    }
    const auto change = decode(bytes);
    // Cut short while it was written: the file was not touched yet.
    if (change) make(file, *change);
    removeFile(path_);
    return change.has_value();
}

}  // namespace qln
