#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileError.h"

namespace qln {

enum class FileAccess { Read, Write, ReadWrite };

// What opening does about a file that is missing or already there.
enum class FileCreate {
    Never,      // the file must exist
    IfMissing,  // an empty file is made when there is none
    Exclusive,  // the file must not exist yet; FileProblem::Exists when it does
};

// Why a file did not open.
enum class FileProblem { None, Missing, Exists, Folder, NotRegular, Other };

// An open regular file that closes itself.  Every transfer names its offset and moves all the bytes asked for:
// interrupted calls and short transfers are retried inside.  Failures after opening throw FileError.
class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Never throws: a file that does not open gives a closed File whose problem() and reason() say why.  Folders,
    // pipes and devices are refused without waiting on them.  A new file may be read and written by everyone the
    // user's umask allows (a group sharing a folder with umask 002 can all write it).
    static File open(const std::string& path, FileAccess access, FileCreate create = FileCreate::Never);

    bool isOpen() const { return handle_ != NoHandle; }
    explicit operator bool() const { return isOpen(); }
    const std::string& path() const { return path_; }
    FileProblem problem() const { return problem_; }
    // For messages: the system's words, or "is a folder, not a file", or "is not a regular file".
    const std::string& reason() const { return reason_; }
    // The error that says why the file did not open.
    FileError failure() const { return FileError(path_, reason_); }

    // Reads out.size() bytes at offset, fewer only where the file ends; gives the number read.
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) const;
    // The whole content, from the start to the end.
    std::string readAll() const;
    void writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    void writeAt(std::uint64_t offset, std::string_view bytes);
    std::uint64_t size() const;
    // Cuts or extends the file to the size.
    void truncate(std::uint64_t size);
    // Waits for a lock on the whole file among the programs that lock it too (on this machine and, where the file
    // system carries locks, on others): shared among readers, or exclusive.  It lasts until unlock() or the file
    // closes, and ends with the program however it ends.  false when the file system keeps no locks: the caller
    // goes on without.
    bool lock(bool exclusive);
    void unlock();
    // Puts what was written on the disk before returning.
    void flush();
    // Closes now and reports a failure, which the destructor would have to ignore.
    void close();

private:
    friend class FileBackend;  // the platform's implementation reaches the handle
    static constexpr std::intptr_t NoHandle = -1;

    std::intptr_t handle_ = NoHandle;
    std::string path_;
    FileProblem problem_ = FileProblem::None;
    std::string reason_;
};

enum class FileKind { Missing, Unreachable, Regular, Folder, Other };

// What a path names, following symbolic links.  Unreachable: it cannot be looked at (a folder on the way refuses us).
struct FileInfo {
    FileKind kind = FileKind::Missing;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // the last change of the content, in nanoseconds since 1970
    bool exists() const { return kind != FileKind::Missing && kind != FileKind::Unreachable; }
};
FileInfo fileInfo(const std::string& path);

// Replaces a file's whole content so that a crash leaves either the old bytes or the new ones: they go to an
// unnamed file in the same folder, are flushed to disk, and take the old file's place.  A symbolic link is
// followed, so its target gets the new content; the new file keeps the old one's permissions, owner and group
// as far as the system lets us.  Refuses folders and other non-regular files.  Throws FileError naming `path`;
// leaves no temporary file behind, and removes the ones a killed writer of ours left beside the file.
void replaceFileAtomically(const std::string& path, std::string_view bytes);

// Creates a file holding the bytes, all of them or nothing: a file that appears is never empty or cut short.
// false when a file of that name is already there (it is left as it is).  Throws FileError.
bool createFileWithContent(const std::string& path, std::string_view bytes);

// The file a path ends up at, symbolic links followed (the path itself when it is no link, or a link to nothing).
std::string resolvedFilePath(const std::string& path);

// Whether this program may change the file itself (its permissions, or an immutable attribute, say no).  A file
// its owner made read-only is left alone even where its folder would let us replace it.
bool mayWrite(const std::string& path);

// Sets the modification time to now.  false when it cannot.
bool touchFile(const std::string& path);
// Removes the file (never a folder).  false when it cannot.
bool removeFile(const std::string& path);

}  // namespace qln
