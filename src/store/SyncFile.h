#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace qln {

// The 14-byte record of the sync file beside a shared macro file.
struct SyncRecord {
    std::int32_t counter = 1;    // raised by each program that changed the macro file
    std::uint16_t lockState = 2;  // 1 held, 2 free
    double heartbeat = 0;         // date-time the holder last renewed its lock
    bool operator==(const SyncRecord&) const = default;

    static constexpr std::size_t Size = 14;
    std::array<std::uint8_t, Size> encode() const;
    static SyncRecord decode(const std::array<std::uint8_t, Size>& bytes);
};

namespace sync {
constexpr std::uint16_t Held = 1;
constexpr std::uint16_t Free = 2;
}  // namespace sync

class File;

// The sync file as this program writes it: the 14-byte record, and behind it, while a program holds the lock, that
// program's token ("holder <token>" and a line end).  Programs that read only the record never see the token.
struct SyncState {
    SyncRecord record;
    std::string holder;  // empty: nobody, or a program that writes no token
    static constexpr std::size_t MaxTokenBytes = 200;
};
// From a sync file open for reading; nothing when it is shorter than a record.
std::optional<SyncState> readSyncState(const File& file);
// Writes the state in one piece and cuts off what an earlier, longer state left.
void writeSyncState(File& file, const SyncState& state);

// Reads the sync file; nothing when it cannot be opened or is shorter than a record.
std::optional<SyncRecord> readSyncRecord(const std::string& path);
// Creates or overwrites the sync file.  Throws FileError.
void writeSyncRecord(const std::string& path, const SyncRecord& record);

}  // namespace qln
