#include "store/MacroFile.h"

#include <vector>

#include "core/DateTime.h"
#include "core/FileError.h"
#include "platform/File.h"
#include "store/MacroJournal.h"
#include "store/RecordCheck.h"

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

// Why bytes that fill a file of `size` bytes from its start are no macro file; empty when they are one.  A file
// of something else is never loaded: the system macro repair would write over its end.
std::string foreignReason(std::uint64_t size, std::string_view bytes) {
    if (size % kRecord != 0)
        return "its size, " + std::to_string(size) + " bytes, is no whole number of " + std::to_string(kRecord) +
               "-byte macro records";
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < bytes.size() / kRecord; ++i)
        if (const auto d = notAMacroRecord(std::span<const std::uint8_t, kRecord>(data + i * kRecord, kRecord)))
            return "record " + std::to_string(i + 1) + " is no macro record (" + d->field + ": " + d->problem + ")";
    return {};
}

std::string foreignMessage(const std::string& path, const std::string& reason) {
    return withPath(path, "this is no macro file: " + reason + ".  It was not loaded and is left as it is.");
}

// The first records of an open file, at most a full set, whatever its size.
std::string leadingRecords(const File& file, std::uint64_t size) {
    const std::uint64_t loaded = std::min<std::uint64_t>(size / kRecord, MaxMacros);
    std::string bytes(static_cast<std::size_t>(loaded * kRecord), '\0');
    const std::size_t got = file.readAt(0, std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    if (got < bytes.size()) bytes.resize(got - got % kRecord);  // it shrank while we read
    return bytes;
}

std::string encoded(const MacroRecord& r) {
    const RecordBytes bytes = r.encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

File MacroFile::openForChange() const {
    File file = File::open(path_, FileAccess::ReadWrite);
    if (!file) return file;
    // Readers wait while we change it; a change a killed program left is completed first.
    file.lock(true);
    MacroJournal(path_).recover(file);
    return file;
}

void MacroFile::finishPendingChange(const std::string& path) {
    const MacroJournal journal(path);
    if (!journal.pending()) return;
    File file = File::open(path, FileAccess::ReadWrite);
    if (!file) return;  // not ours to complete: a user who may write the file will
    file.lock(true);
    journal.recover(file);
}

bool MacroFile::createNew() {
    // All four system macros at once: a file that appears holds them, or no file appears at all.
    std::string bytes;
    std::vector<MacroRecord> records;
    for (char digit = '1'; digit <= '4'; ++digit) {
        records.push_back(systemMacro(digit, nowDateTime(clock_)));
        bytes += encoded(records.back());
    }
    try {
        if (!createFileWithContent(path_, bytes)) return false;  // someone made it meanwhile: load that one
    } catch (const FileError& e) {
        problem_ = e.what();
        notices_.notice("Error", "New file could not be created.");
        return true;
    }
    for (int n = 1; n <= 4; ++n) table_.publish(n, records[static_cast<std::size_t>(n - 1)]);
    table_.setCount(4);
    table_.UpNumKeys();
    return true;
}

std::string MacroFile::refusal(const std::string& path) const {
    if (fileInfo(path).kind == FileKind::Missing) return {};  // a load creates it
    finishPendingChange(path);
    const File file = File::open(path, FileAccess::Read);
    if (!file) return withPath(path, "the macro file could not be opened: " + whyNotOpened(file) + ".");
    const std::uint64_t size = file.size();
    const std::string reason = foreignReason(size, leadingRecords(file, size));
    return reason.empty() ? std::string() : foreignMessage(path, reason);
}

void MacroFile::load(const std::string& path) {
    path_ = path;
    problem_.clear();
    refused_ = false;
    table_.setCount(0);
    if (fileInfo(path).kind == FileKind::Missing && createNew()) return;
    finishPendingChange(path);
    File file = File::open(path, FileAccess::Read);
    if (!file) {
        // Someone else's file we may not read, or a folder: leave it alone and start with an empty set.
        refuse(withPath(path, "the macro file could not be opened: " + whyNotOpened(file) + "."));
        return;
    }
    file.lock(false);
    const std::uint64_t size = file.size();
    const std::uint64_t records = size / kRecord;
    const std::string bytes = leadingRecords(file, size);
    file.close();
    if (const std::string reason = foreignReason(size, bytes); !reason.empty()) {
        refuse(foreignMessage(path, reason));
        return;
    }
    if (records > static_cast<std::uint64_t>(MaxMacros))
        notices_.notice("Warning", withPath(path, "the file holds " + std::to_string(records) +
                                                      " macros; only the first 500 are loaded."));
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t count = bytes.size() / kRecord;
    for (std::size_t i = 0; i < count; ++i)
        table_.publish(static_cast<int>(i + 1),
                       MacroRecord::decode(std::span<const std::uint8_t, kRecord>(data + i * kRecord, kRecord)));
    table_.setCount(static_cast<int>(count));
    table_.UpNumKeys();
    table_.repairSystemMacros(*this, clock_);
}

void MacroFile::refuse(const std::string& problem) {
    problem_ = problem;
    refused_ = true;
    notices_.notice("Error", problem_);
}

bool MacroFile::store(int n, const MacroRecord& r) {
    // A file the load refused is never written.
    File file = refused_ ? File() : File::open(path_, FileAccess::ReadWrite);
    if (!file) {
        const std::string why =
            refused_ ? problem_
                     : withPath(path_, "the macro file could not be opened for writing: " + whyNotOpened(file) + ".");
        notices_.notice("Error", std::string(SavingFailedMessage) + "  " + why);
        return false;
    }
    file.close();
    const ChangeScope change(guard_);
    if (!change.allowed()) return false;
    file = openForChange();
    if (!file) throw file.failure();
    const std::uint64_t size = file.size();
    const std::uint64_t records = size / kRecord;
    if (n < 1 || n > MaxMacros || static_cast<std::uint64_t>(n) > records + 1)
        throw FileError(path_, "macro " + std::to_string(n) + " would leave a gap after the " +
                                   std::to_string(records) + " records of the file");
    // The file first, then the tables: a failed write must not leave the set showing a macro the file lacks.
    MacroJournal(path_).apply(file, {recordOffset(n), encoded(r), std::max(size, recordOffset(n) + kRecord)});
    table_.publish(n, r);
    return true;
}

std::optional<MacroRecord> MacroFile::read(int n) const {
    if (refused_) return std::nullopt;
    finishPendingChange(path_);
    File file = File::open(path_, FileAccess::Read);
    if (!file || n < 1) return std::nullopt;
    file.lock(false);
    RecordBytes bytes{};
    const std::size_t got = file.readAt(recordOffset(n), bytes);
    if (got == 0)
        throw FileError(path_, "there is no macro " + std::to_string(n) + " in the file: it holds " +
                                   std::to_string(file.size() / kRecord) + " macro records");
    if (got < kRecord) throw FileError(path_, "the file ends in the middle of a macro record");
    return MacroRecord::decode(bytes);
}

std::size_t MacroFile::recordsInFile() const {
    const FileInfo info = fileInfo(path_);
    if (!info.exists() || info.kind == FileKind::Folder) return 0;
    return static_cast<std::size_t>(info.size / kRecord);
}

bool MacroFile::remove(int n) {
    if (refused_ || !File::open(path_, FileAccess::ReadWrite)) return false;
    const ChangeScope change(guard_);
    if (!change.allowed()) return false;
    File file = openForChange();
    if (!file) return false;
    const std::uint64_t records = file.size() / kRecord;
    if (n < 1 || static_cast<std::uint64_t>(n) > records) return false;
    // The later records move down one place, in the file itself; a trailing partial record goes.
    std::string later(static_cast<std::size_t>((records - static_cast<std::uint64_t>(n)) * kRecord), '\0');
    file.readAt(recordOffset(n + 1), std::span(reinterpret_cast<std::uint8_t*>(later.data()), later.size()));
    MacroJournal(path_).apply(file, {recordOffset(n), later, (records - 1) * kRecord});
    return true;
}

bool MacroFile::setActiveFlag(int n, std::uint8_t value) {
    if (refused_ || !File::open(path_, FileAccess::ReadWrite)) return false;
    const ChangeScope change(guard_);
    if (!change.allowed()) return false;
    File file = openForChange();
    if (!file) return false;
    if (n < 1 || static_cast<std::uint64_t>(n) > file.size() / kRecord) return false;
    // One byte is written whole or not at all: no journal needed.
    file.writeAt(recordOffset(n) + record::Active, std::span<const std::uint8_t>(&value, 1));
    return true;
}

}  // namespace qln
