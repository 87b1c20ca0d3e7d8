#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Notices.h"
#include "platform/Clock.h"
#include "platform/Timers.h"
#include "store/SyncFile.h"

namespace qln {

// Reloads the shared macro file and refreshes what shows it (the list refresh after a reload).
class IMacroSetReload {
public:
    virtual ~IMacroSetReload() = default;
    virtual void reloadWithRefresh() = 0;
};

inline constexpr const char* FileInUseMessage = "Macro File in use by another user.  Please try again later.";
inline constexpr const char* FileChangedMessage =
    "Macro File has changed by another user.  Changed macro file will be reloaded after clicking \"ok\".";

// Sharing one macro file between several programs: a sync file (change counter, lock state, heartbeat) beside it,
// and a lock file created exclusively, so that two programs can never hold the lock at the same moment.
class NetworkSync {
public:
    NetworkSync(const IClock& clock, ITimers& timers, INotices& notices, IMacroSetReload& reload)
        : clock_(clock), timers_(timers), notices_(notices), reload_(reload) {}
    ~NetworkSync();
    NetworkSync(const NetworkSync&) = delete;
    NetworkSync& operator=(const NetworkSync&) = delete;

    bool networkMode() const { return networkMode_; }
    void setNetworkMode(bool on) { networkMode_ = on; }
    // A new current macro file (or network mode switched on): derive the sync file, read it and take its
    // counter as the one our copy of the set corresponds to.
    void adoptFile(const std::string& macroFile);

    // true: the caller must not change the macro file now (the user has been told why).
    // false: the caller holds the lock (or network mode is off) and must call ReleaseSyncFile afterwards.
    bool FileInUse();
    void ReleaseSyncFile(int changed);
    bool holdsLock() const { return holding_; }

    void NetTimerTimer();
    // Counts minutes; reloads every syncMinutes.
    void SyncTimerTimer();
    void startSyncTimer(std::uint16_t minutes, bool resetCounter);
    void stopSyncTimer();
    bool syncTimerRunning() const { return syncTimer_.has_value(); }

    const std::string& syncPath() const { return syncPath_; }
    std::string lockPath() const { return syncPath_ + ".lock"; }
    std::int32_t knownCounter() const { return known_; }
    const SyncRecord& record() const { return record_; }

private:
    void readSyncFile();
    void writeSyncFile();
    // The lock file's own stamp (changes with every heartbeat); nothing when there is no lock file.
    std::optional<std::int64_t> lockFileStamp() const;
    bool createLockFile();
    void removeLockFile();
    void writeLockStamp();
    // Tell the user the file is in use; true, the answer of FileInUse.
    bool refuseInUse();
    // Another program changed the file: tell the user, take its counter as ours and reload; true, as FileInUse.
    bool reloadChangedSet();

    const IClock& clock_;
    ITimers& timers_;
    INotices& notices_;
    IMacroSetReload& reload_;

    bool networkMode_ = false;
    std::string syncPath_;
    SyncRecord record_;
    std::int32_t known_ = 0;
    bool holding_ = false;
    // The foreign lock as last seen, and the tick when it was first seen so.
    std::optional<std::pair<double, std::int64_t>> seen_;
    std::uint64_t seenSince_ = 0;
    std::optional<TimerId> netTimer_;
    std::optional<TimerId> syncTimer_;
    std::uint16_t syncMinutes_ = 10;
    int minuteCounter_ = 0;
};

}  // namespace qln
