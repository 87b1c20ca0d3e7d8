#include "store/NetworkSync.h"

#include <string>

#include "core/DateTime.h"
#include "core/FileError.h"
#include "platform/File.h"
#include "platform/ThisProcess.h"
#include "store/MacroFileNames.h"

namespace qln {

namespace {
constexpr std::uint32_t kHeartbeatMs = 30000;
constexpr std::uint32_t kMinuteMs = 60000;
constexpr std::uint64_t kTakeOverMs = 60000;
}  // namespace

NetworkSync::~NetworkSync() {
    if (netTimer_) timers_.stopTimer(*netTimer_);
    if (syncTimer_) timers_.stopTimer(*syncTimer_);
}

void NetworkSync::adoptFile(const std::string& macroFile) {
    syncPath_ = syncFileName(macroFile);
    seen_.reset();
    readSyncFile();
    known_ = record_.counter;
}

void NetworkSync::readSyncFile() {
    if (fileInfo(syncPath_).kind == FileKind::Missing) {
        record_.counter = 1;
        record_.lockState = sync::Free;
        writeSyncFile();
        return;
    }
    // One that cannot be read counts as unchanged since the last read.
    if (const auto r = readSyncRecord(syncPath_)) record_ = *r;
}

void NetworkSync::writeSyncFile() { writeSyncRecord(syncPath_, record_); }

std::optional<std::int64_t> NetworkSync::lockFileStamp() const {
    const FileInfo info = fileInfo(lockPath());
    if (!info.exists()) return std::nullopt;
    return info.modifiedNs + static_cast<std::int64_t>(info.size);
}

bool NetworkSync::createLockFile() {
    File lock = File::open(lockPath(), FileAccess::Write, FileCreate::Exclusive);
    if (lock.problem() == FileProblem::Exists) return false;
    if (!lock) throw lock.failure();
    try {
        // Our process number, for people looking at the folder; the lock holds without it.
        lock.writeAt(0, std::to_string(thisProcessId()) + "\n");
    } catch (const FileError&) {
    }
    return true;
}

void NetworkSync::writeLockStamp() {
    // Renews the lock file's time, so a program that sees only the lock file also sees the heartbeat.
    touchFile(lockPath());
}

void NetworkSync::removeLockFile() { removeFile(lockPath()); }

bool NetworkSync::refuseInUse() {
    notices_.notice("Error", FileInUseMessage);
    return true;
}

bool NetworkSync::reloadChangedSet() {
    notices_.notice("Notice", FileChangedMessage);
    known_ = record_.counter;
    reload_.reloadWithRefresh();
    return true;
}

bool NetworkSync::FileInUse() {
    if (!networkMode_) return false;
    readSyncFile();
    const auto stamp = lockFileStamp();
    bool takingOver = false;
    if (record_.lockState == sync::Held || stamp) {
        const std::pair<double, std::int64_t> now{record_.heartbeat, stamp.value_or(0)};
        if (!seen_ || *seen_ != now) {
            seen_ = now;
            seenSince_ = clock_.tickCount();
            return refuseInUse();
        }
        if (clock_.tickCount() - seenSince_ < kTakeOverMs) return refuseInUse();
        // The holder has not renewed its heartbeat for a minute: it is gone.  Break its lock.
        removeLockFile();
        takingOver = true;
    } else if (record_.counter != known_) {
        return reloadChangedSet();
    }
    // Another program may take it in the same moment.
    if (!createLockFile()) return refuseInUse();
    // Between our read and the lock file another program may have finished a change: look again.
    readSyncFile();
    if (!takingOver && (record_.lockState == sync::Held || record_.counter != known_)) {
        removeLockFile();
        return record_.lockState == sync::Held ? refuseInUse() : reloadChangedSet();
    }
    seen_.reset();
    holding_ = true;
    record_.lockState = sync::Held;
    record_.heartbeat = nowDateTime(clock_);
    writeSyncFile();
    if (!netTimer_) netTimer_ = timers_.startTimer(kHeartbeatMs, [this] { NetTimerTimer(); });
    return false;
}

void NetworkSync::ReleaseSyncFile(int changed) {
    if (!networkMode_) return;
    if (netTimer_) timers_.stopTimer(*netTimer_);
    netTimer_.reset();
    record_.counter += changed;
    known_ = record_.counter;
    record_.lockState = sync::Free;
    writeSyncFile();
    if (holding_) removeLockFile();
    holding_ = false;
}

void NetworkSync::NetTimerTimer() {
    record_.heartbeat = nowDateTime(clock_);
    writeSyncFile();
    writeLockStamp();
}

void NetworkSync::SyncTimerTimer() {
    if (++minuteCounter_ < syncMinutes_) return;
    reload_.reloadWithRefresh();
    minuteCounter_ = 0;
}

void NetworkSync::startSyncTimer(std::uint16_t minutes, bool resetCounter) {
    syncMinutes_ = minutes;
    if (resetCounter) minuteCounter_ = 0;
    if (!syncTimer_) syncTimer_ = timers_.startTimer(kMinuteMs, [this] { SyncTimerTimer(); });
}

void NetworkSync::stopSyncTimer() {
    if (syncTimer_) timers_.stopTimer(*syncTimer_);
    syncTimer_.reset();
}

}  // namespace qln
