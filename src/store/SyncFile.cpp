#include "store/SyncFile.h"

#include <cstring>

#include "platform/File.h"

namespace qln {

std::array<std::uint8_t, SyncRecord::Size> SyncRecord::encode() const {
    std::array<std::uint8_t, Size> b{};
    std::memcpy(b.data(), &counter, 4);
    std::memcpy(b.data() + 4, &lockState, 2);
    std::memcpy(b.data() + 6, &heartbeat, 8);
    return b;
}

SyncRecord SyncRecord::decode(const std::array<std::uint8_t, Size>& b) {
    SyncRecord r;
    std::memcpy(&r.counter, b.data(), 4);
    std::memcpy(&r.lockState, b.data() + 4, 2);
    std::memcpy(&r.heartbeat, b.data() + 6, 8);
    return r;
}

std::optional<SyncRecord> readSyncRecord(const std::string& path) {
    const File file = File::open(path, FileAccess::Read);
    if (!file) return std::nullopt;
    std::array<std::uint8_t, SyncRecord::Size> b{};
    try {
        if (file.readAt(0, b) < b.size()) return std::nullopt;
    } catch (const FileError&) {
        return std::nullopt;  // one that cannot be read is as good as one that is too short
    }
    return SyncRecord::decode(b);
}

void writeSyncRecord(const std::string& path, const SyncRecord& record) {
    // Overwritten in place: other programs hold the name, and 14 bytes are written in one piece.
    File file = File::open(path, FileAccess::Write, FileCreate::IfMissing);
    if (!file) throw file.failure();
    file.writeAt(0, record.encode());
}

}  // namespace qln
