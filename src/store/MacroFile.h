#pragma once

#include <optional>
#include <string>

#include "core/Notices.h"
#include "platform/Clock.h"
#include "store/MacroStore.h"
#include "store/MacroTable.h"

namespace qln {

// The current macro file: records of 5165 bytes one after another, no header.  The file is opened and closed
// for every operation, so that other programs can share it.  I/O failures after the file was opened throw
// FileError; the messages the user must see go to the notices.
class MacroFile : public IMacroStore {
public:
    MacroFile(MacroTable& table, const IClock& clock, INotices& notices)
        : table_(table), clock_(clock), notices_(notices) {}

    const std::string& path() const { return path_; }

    // Replaces the in-memory set by the file's records and makes it the current file.  A missing file is created
    // with the four system macros.  An existing file is never changed by a load, except that missing system
    // macros are appended to it.
    void load(const std::string& path);
    void reload() { load(path_); }

    // Writes the record as macro number n of the current file (n = count appends) and publishes it.
    void store(int n, const MacroRecord& record) override;
    // Record n of the current file; nothing when the file cannot be opened.
    std::optional<MacroRecord> read(int n) const;
    // Takes record n out of the file; later records move down one place.  The file is rebuilt beside the old
    // one and renamed over it.  The caller reloads.  false when the file cannot be changed.
    bool remove(int n);
    // Rewrites the active flag byte of record n.  false when the file cannot be changed.
    bool setActiveFlag(int n, std::uint8_t value);

    // Number of whole records in the file now.
    std::size_t recordsInFile() const;

private:
    MacroTable& table_;
    const IClock& clock_;
    INotices& notices_;
    std::string path_;
};

}  // namespace qln
