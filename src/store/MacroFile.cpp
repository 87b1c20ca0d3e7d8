#include "store/MacroFile.h"

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "platform/File.h"

namespace qln {

namespace {

constexpr std::size_t kRecord = record::Size;

std::uint64_t recordOffset(int n) { return static_cast<std::uint64_t>(n - 1) * kRecord; }

std::string withPath(const std::string& path, const std::string& text) { return path + ": " + text; }

// Why the macro file did not open, as the sentence after "could not be opened:" says it.
std::string whyNotOpened(const File& file) {
    const bool notAFile = file.problem() == FileProblem::Folder || file.problem() == FileProblem::NotRegular;
    return notAFile ? "it " + file.reason() : file.reason();
}

}  // namespace

void MacroFile::load(const std::string& path) {
    path_ = path;
    table_.setCount(0);
    const File file = File::open(path, FileAccess::Read);
    if (file.problem() == FileProblem::Missing) {
        if (!File::open(path, FileAccess::Write, FileCreate::Exclusive)) {
            notices_.notice("Error", "New file could not be created.");
            return;
        }
        table_.repairSystemMacros(*this, clock_);
        return;
    }
    if (!file) {
        // Someone else's file we may not read, or a folder: leave it alone and start with an empty set.
        notices_.notice("Error", withPath(path, "the macro file could not be opened: " + whyNotOpened(file) + "."));
        return;
    }
    const std::string bytes = file.readAll();
    const std::size_t records = bytes.size() / kRecord;
    if (bytes.size() % kRecord != 0)
        notices_.notice("Warning", withPath(path, "the file ends in a partial macro record of " +
                                                      std::to_string(bytes.size() % kRecord) +
                                                      " bytes; it was left out."));
    if (records > static_cast<std::size_t>(MaxMacros))
        notices_.notice("Warning", withPath(path, "the file holds " + std::to_string(records) +
                                                      " macros; only the first 500 are loaded."));
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < records && i < static_cast<std::size_t>(MaxMacros); ++i) {
        table_.setCount(static_cast<int>(i + 1));
        table_.publish(static_cast<int>(i + 1),
                       MacroRecord::decode(std::span<const std::uint8_t, kRecord>(data + i * kRecord, kRecord)));
    }
    table_.UpNumKeys();
    table_.repairSystemMacros(*this, clock_);
}

void MacroFile::store(int n, const MacroRecord& r) {
    File file = File::open(path_, FileAccess::ReadWrite);
    if (!file) {
        notices_.notice("Error", "Saving of keystrokes failed.");
        return;
    }
    const std::uint64_t records = file.size() / kRecord;
    if (n < 1 || n > MaxMacros || static_cast<std::uint64_t>(n) > records + 1)
        throw FileError(path_, "macro " + std::to_string(n) + " would leave a gap after the " +
                                   std::to_string(records) + " records of the file");
    // The file first, then the tables: a failed write must not leave the set showing a macro the file lacks.
    file.writeAt(recordOffset(n), r.encode());
    table_.publish(n, r);
}

std::optional<MacroRecord> MacroFile::read(int n) const {
    const File file = File::open(path_, FileAccess::Read);
    if (!file || n < 1) return std::nullopt;
    RecordBytes bytes{};
    if (file.readAt(recordOffset(n), bytes) < kRecord)
        throw FileError(path_, "the file ends in the middle of a macro record");
    return MacroRecord::decode(bytes);
}

std::size_t MacroFile::recordsInFile() const {
    const FileInfo info = fileInfo(path_);
    if (!info.exists() || info.kind == FileKind::Folder) return 0;
    return static_cast<std::size_t>(info.size / kRecord);
}

bool MacroFile::remove(int n) {
    std::string bytes;
    {
        // Opened for writing only to learn that we may change it; closed before the new content replaces it.
        const File file = File::open(path_, FileAccess::ReadWrite);
        if (!file) return false;
        bytes = file.readAll();
    }
    const std::size_t records = bytes.size() / kRecord;
    if (n < 1 || static_cast<std::size_t>(n) > records) return false;
    // The later records move down one place; a trailing partial record goes with the rewrite.
    std::string rebuilt;
    rebuilt.reserve((records - 1) * kRecord);
    rebuilt.append(bytes, 0, static_cast<std::size_t>(n - 1) * kRecord);
    rebuilt.append(bytes, static_cast<std::size_t>(n) * kRecord, (records - static_cast<std::size_t>(n)) * kRecord);
    replaceFileContent(path_, rebuilt);
    return true;
}

bool MacroFile::setActiveFlag(int n, std::uint8_t value) {
    File file = File::open(path_, FileAccess::ReadWrite);
    if (!file) return false;
    if (n < 1 || static_cast<std::uint64_t>(n) > file.size() / kRecord) return false;
    file.writeAt(recordOffset(n) + record::Active, std::span<const std::uint8_t>(&value, 1));
    return true;
}

}  // namespace qln
