#include "store/NetworkSync.h"

#include <random>
#include <string>

#include "core/DateTime.h"
#include "core/FileError.h"
#include "core/Sentence.h"
#include "platform/ThisProcess.h"
#include "store/MacroFileNames.h"

namespace qln {

namespace {
constexpr std::uint32_t kHeartbeatMs = 30000;
constexpr std::uint32_t kMinuteMs = 60000;

// Names this program among all that share the file, on any machine: never the same twice.
std::string newToken() {
    std::random_device device;
    const std::uint64_t random = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(random));
    return thisHostName() + "/" + std::to_string(thisProcessId()) + "/" + hex;
}
}  // namespace

NetworkSync::NetworkSync(const IClock& clock, ITimers& timers, INotices& notices, IMacroSetReload& reload,
                         std::uint64_t takeOverMs)
    : clock_(clock), timers_(timers), notices_(notices), reload_(reload), takeOverMs_(takeOverMs), token_(newToken()) {}

NetworkSync::~NetworkSync() {
    if (netTimer_) timers_.stopTimer(*netTimer_);
    if (syncTimer_) timers_.stopTimer(*syncTimer_);
}

void NetworkSync::adoptFile(const std::string& macroFile) {
    syncPath_ = syncFileName(macroFile);
    seen_.reset();
    if (fileInfo(syncPath_).kind == FileKind::Missing) {
        try {
            enterFence();  // creates it
        } catch (const FileError&) {
            // A folder we may only read: we follow the changes of others, and a change is refused when it is tried.
        }
        fence_.reset();
    } else if (const auto r = readSyncRecord(syncPath_)) {
        // Reading needs no lock, nor the right to write: a user who may only read still follows the changes.
        state_.record = *r;
    }
    known_ = state_.record.counter;
}

bool NetworkSync::takeChangedCounter() {
    if (!networkMode_ || syncPath_.empty()) return false;
    const auto r = readSyncRecord(syncPath_);
    if (!r || r->counter == known_) return false;
    state_.record = *r;
    known_ = r->counter;
    return true;
}

void NetworkSync::enterFence() {
    File file = File::open(syncPath_, FileAccess::ReadWrite, FileCreate::IfMissing);
    if (!file) throw file.failure();
    file.lock(true);
    if (const auto read = readSyncState(file)) {
        state_ = *read;
    } else if (file.size() == 0) {
        // A new sync file: counter 1, free.
        state_ = SyncState{SyncRecord{1, sync::Free, state_.record.heartbeat}, {}};
        writeSyncState(file, state_);
    }
    // A file cut short by someone else counts as unchanged since the last read.
    fence_ = std::move(file);
}

void NetworkSync::writeState() { writeSyncState(*fence_, state_); }

void NetworkSync::stopHeartbeat() {
    if (netTimer_) timers_.stopTimer(*netTimer_);
    netTimer_.reset();
}

void NetworkSync::lostLock() {
    stopHeartbeat();
    holding_ = false;
    lost_ = true;
    notices_.notice("Error", LockLostMessage);
}

bool NetworkSync::refuseInUse() {
    notices_.notice("Error", FileInUseMessage);
    return true;
}

bool NetworkSync::reloadChangedSet() {
    notices_.notice("Notice", FileChangedMessage);
    known_ = state_.record.counter;
    reload_.reloadWithRefresh();
    return true;
}

bool NetworkSync::FileInUse() {
    if (!networkMode_) return false;
    try {
        enterFence();
    } catch (const FileError& e) {
        // A read-only folder or sync file: nobody can take the lock, so nobody may change the macro file.
        notices_.notice("Error", e.path() + ": the sync file cannot be written: " + sentence(e.reason()) +
                                     "  The macro file is not changed.");
        return true;
    }
    if (state_.record.lockState == sync::Held) {
        const std::pair<double, std::string> now{state_.record.heartbeat, state_.holder};
        if (!seen_ || *seen_ != now) {
            seen_ = now;
            seenSince_ = clock_.tickCount();
            fence_.reset();
            return refuseInUse();
        }
        if (clock_.tickCount() - seenSince_ < takeOverMs_) {
            fence_.reset();
            return refuseInUse();
        }
        // The holder has not renewed its heartbeat for a minute: it is gone (or stalled; when it wakes it finds our
        // token and keeps its hands off).  Take the lock over.
    } else if (state_.record.counter != known_) {
        fence_.reset();
        return reloadChangedSet();
    }
    seen_.reset();
    lost_ = false;
    state_.record.lockState = sync::Held;
    state_.record.heartbeat = nowDateTime(clock_);
    state_.holder = token_;
    writeState();
    fence_.reset();
    holding_ = true;
    if (!netTimer_) netTimer_ = timers_.startTimer(kHeartbeatMs, [this] { NetTimerTimer(); });
    return false;
}

void NetworkSync::ReleaseSyncFile(int changed) {
    if (!networkMode_) return;
    stopHeartbeat();
    if (!holding_ && !lost_) return;
    const bool told = lost_;
    holding_ = lost_ = false;
    enterFence();
    if (!told && stillOurs()) {
        // The counter on disk, never an older copy of ours: it only ever rises.
        state_.record.counter += changed;
        state_.record.lockState = sync::Free;
        state_.holder.clear();
        writeState();
        known_ = state_.record.counter;
        fence_.reset();
        return;
    }
    // Taken over while we held it.  The new holder's lock stays as it is; a change we made while the lock was
    // still ours is counted, so that the others reload it (and so do we, at our next change).
    if (changed != 0) {
        state_.record.counter += changed;
        writeState();
    }
    fence_.reset();
    if (!told) notices_.notice("Error", LockLostMessage);
}

bool NetworkSync::enterChange() {
    if (!networkMode_) return true;
    enterFence();
    if (!holding_ || stillOurs()) return true;
    fence_.reset();
    lostLock();
    return false;
}

void NetworkSync::NetTimerTimer() {
    if (!holding_) return;
    enterFence();
    if (!stillOurs()) {
        fence_.reset();
        lostLock();
        return;
    }
    state_.record.heartbeat = nowDateTime(clock_);
    writeState();
    fence_.reset();
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
