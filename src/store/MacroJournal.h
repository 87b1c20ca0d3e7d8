#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/File.h"

namespace qln {

// A change of the macro file that survives being killed halfway.  The new bytes go first into a journal beside
// the file and are flushed to disk; then into the file; then the journal goes.  A journal found afterwards (the
// program was killed) is played again, which always completes the change; a journal that was itself cut short is
// dropped, the file being untouched.  The file keeps its inode: owner, group, permissions and links stay.
class MacroJournal {
public:
    // The journal of a macro file lies beside the file a link leads to, where every user of it finds it.
    explicit MacroJournal(const std::string& macroFile);

    struct Change {
        std::uint64_t offset = 0;
        std::string bytes;
        std::uint64_t newSize = 0;  // the file's size afterwards (a removal shortens it)
    };
    // Makes the change on the file (open for writing, locked exclusively by the caller).
    void apply(File& file, const Change& change) const;
    // Completes a change a killed program left, if any; the file is open for writing and locked exclusively.
    // true when one was played again.
    bool recover(File& file) const;
    bool pending() const;
    const std::string& path() const { return path_; }

    // The journal's bytes for a change, and back; nothing when they are cut short or damaged.
    static std::string encode(const Change& change);
    static std::optional<Change> decode(const std::string& bytes);

private:
    void write(const Change& change) const;
    static void make(File& file, const Change& change);

    std::string macroFile_;
    std::string path_;
};

}  // namespace qln
