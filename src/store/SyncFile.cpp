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

std::optional<SyncState> readSyncState(const File& file) {
    std::array<std::uint8_t, SyncRecord::Size + 8 + SyncState::MaxTokenBytes> b{};
    const std::size_t n = file.readAt(0, b);
    if (n < SyncRecord::Size) return std::nullopt;
    SyncState state;
    std::array<std::uint8_t, SyncRecord::Size> r{};
    std::memcpy(r.data(), b.data(), r.size());
    state.record = SyncRecord::decode(r);
    const std::string tail(reinterpret_cast<const char*>(b.data()) + SyncRecord::Size, n - SyncRecord::Size);
    constexpr std::string_view kHolder = "holder ";
    const auto end = tail.find('\n');
    if (tail.rfind(kHolder, 0) == 0 && end != std::string::npos) state.holder = tail.substr(kHolder.size(), end - kHolder.size());
    return state;
}

void writeSyncState(File& file, const SyncState& state) {
    const auto r = state.record.encode();
    std::string bytes(reinterpret_cast<const char*>(r.data()), r.size());
    if (!state.holder.empty()) bytes += "holder " + state.holder.substr(0, SyncState::MaxTokenBytes) + "\n";
    file.writeAt(0, bytes);
    if (file.size() > bytes.size()) file.truncate(bytes.size());
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
