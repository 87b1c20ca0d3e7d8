#pragma once

#include <optional>
#include <string>

#include "platform/File.h"
#include "store/ChangeGuard.h"

#include "core/Notices.h"
#include "platform/Clock.h"
#include "store/MacroStore.h"
#include "store/MacroTable.h"

namespace qln {

// The current macro file: records of 5165 bytes one after another, no header.  The file is opened and closed
// for every operation, so that other programs can share it.  Changes go through a journal, so that a program
// killed in the middle of one leaves the old record or the new one, never a mix; readers wait while a change is
// made.  I/O failures after the file was opened throw FileError; the messages the user must see go to the
// notices.
class MacroFile : public IMacroStore {
public:
    MacroFile(MacroTable& table, const IClock& clock, INotices& notices)
        : table_(table), clock_(clock), notices_(notices) {}

    const std::string& path() const { return path_; }
    // Lets changes of a shared file go ahead only while this program holds its lock.
    void setChangeGuard(IChangeGuard* guard) { guard_ = guard; }
    // What went wrong with the last load, for a message naming the file and the reason; empty when nothing did.
    const std::string& problem() const { return problem_; }
    // The last load refused the file (it could not be read, or it is no macro file): the set is empty, and the
    // file is never written.
    bool refused() const { return refused_; }

    // Why the file at `path` would be refused by a load, as the message names it; empty when it would be loaded
    // (a missing file is created).  A file whose size is no whole number of records, or whose records are no
    // macro records, is something else (a text, a picture): it is never loaded and never written.
    std::string refusal(const std::string& path) const;

    // Replaces the in-memory set by the file's records and makes it the current file.  A missing file is created
    // with the four system macros.  An existing file is never changed by a load, except that missing system
    // macros are appended to a macro file; a file refused (see refusal) leaves the set empty.
    void load(const std::string& path);
    void reload() { load(path_); }

    // Writes the record as macro number n of the current file (n = count + 1 appends) and publishes it.  When
    // the file cannot be written the user is told, with the file and the reason, and nothing is published.
    bool store(int n, const MacroRecord& record) override;
    // Record n of the current file; nothing when the file cannot be opened.  Throws FileError when the file
    // has no record n (any more) or ends inside it.
    std::optional<MacroRecord> read(int n) const;
    // Takes record n out of the file; later records move down one place, in the file itself.  The caller reloads.
    // false when the file cannot be changed.
    bool remove(int n);
    // Rewrites the active flag byte of record n.  false when the file cannot be changed.
    bool setActiveFlag(int n, std::uint8_t value);

    // Number of whole records in the file now.
    std::size_t recordsInFile() const;

    // The design's words when a store fails; the file and the reason follow.
    static constexpr const char* SavingFailedMessage = "Saving of keystrokes failed.";

private:
    // Creates a missing file with the four system macros; false when it exists after all.
    bool createNew();
    // Opens the file for a change, locked against readers, with a change a killed program left completed.
    File openForChange() const;
    static void finishPendingChange(const std::string& path);
    void refuse(const std::string& problem);

    MacroTable& table_;
    const IClock& clock_;
    INotices& notices_;
    std::string path_;
    IChangeGuard* guard_ = nullptr;
    std::string problem_;
    bool refused_ = false;
};

}  // namespace qln
