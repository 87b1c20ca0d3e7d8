#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Notices.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "platform/Timers.h"
#include "store/ChangeGuard.h"
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
inline constexpr const char* LockLostMessage =
    "Another user took over the Macro File while this program held it.  Please check your last change.";

// Sharing one macro file between several programs: a sync file (change counter, lock state, heartbeat) beside
// it.  Every look at the sync file and every decision about the lock happens while the sync file is locked by
// the file system (a kernel lock, released however a program ends), so two programs never decide at once.  The
// holder writes its own token behind the record: a holder that was stalled for a minute and taken over finds
// another token when it wakes, and then neither writes the macro file nor touches the lock.
class NetworkSync : public IChangeGuard {
public:
    NetworkSync(const IClock& clock, ITimers& timers, INotices& notices, IMacroSetReload& reload,
                std::uint64_t takeOverMs = 60000);
    ~NetworkSync() override;
    NetworkSync(const NetworkSync&) = delete;
    NetworkSync& operator=(const NetworkSync&) = delete;

    bool networkMode() const { return networkMode_; }
    void setNetworkMode(bool on) { networkMode_ = on; }
    // A new current macro file (or network mode switched on): derive the sync file, read it and take its
    // counter as the one our copy of the set corresponds to.
    void adoptFile(const std::string& macroFile);

    // true: the caller must not change the macro file now (the user has been told why: another holds the lock,
    // the set was reloaded, or the sync file cannot be written).
    // false: the caller holds the lock (or network mode is off) and must call ReleaseSyncFile afterwards.
    bool FileInUse();
    void ReleaseSyncFile(int changed);
    bool holdsLock() const { return holding_; }

    // A change of the macro file may go ahead while we still hold the lock (or hold none: a load repairing the
    // file); other programs' lock decisions wait until it is on disk.
    bool enterChange() override;
    void leaveChange() override { fence_.reset(); }

    // A hot key arrived: true when another program changed the shared file since we last looked (network mode
    // only).  Its counter is then taken as ours; the caller reloads.
    bool takeChangedCounter();

    void NetTimerTimer();
    // Counts minutes; reloads every syncMinutes.
    void SyncTimerTimer();
    void startSyncTimer(std::uint16_t minutes, bool resetCounter);
    void stopSyncTimer();
    bool syncTimerRunning() const { return syncTimer_.has_value(); }

    const std::string& syncPath() const { return syncPath_; }
    std::int32_t knownCounter() const { return known_; }
    const SyncRecord& record() const { return state_.record; }
    const std::string& token() const { return token_; }

private:
    // Opens and locks the sync file (created with counter 1 and free when missing) and reads it into state_.
    void enterFence();
    void writeState();
    // The lock is no longer ours: stop holding, tell the user once.
    void lostLock();
    // Tell the user the file is in use; true, the answer of FileInUse.
    bool refuseInUse();
    // Another program changed the file: tell the user, take its counter as ours and reload; true, as FileInUse.
    bool reloadChangedSet();
    bool stillOurs() const { return state_.record.lockState == sync::Held && state_.holder == token_; }
    void stopHeartbeat();

    const IClock& clock_;
    ITimers& timers_;
    INotices& notices_;
    IMacroSetReload& reload_;
    std::uint64_t takeOverMs_;
    std::string token_;

    bool networkMode_ = false;
    std::string syncPath_;
    std::optional<File> fence_;  // the locked sync file while we look at it
    SyncState state_;
    std::int32_t known_ = 0;
    bool holding_ = false;
    bool lost_ = false;  // taken over while we held it; the release still counts our change
    // The foreign lock as last seen (its heartbeat and holder), and the tick when it was first seen so.
    std::optional<std::pair<double, std::string>> seen_;
    std::uint64_t seenSince_ = 0;
    std::optional<TimerId> netTimer_;
    std::optional<TimerId> syncTimer_;
    std::uint16_t syncMinutes_ = 10;
    int minuteCounter_ = 0;
};

}  // namespace qln
