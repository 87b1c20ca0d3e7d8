#include "triggers/TriggeredRun.h"

namespace qln {

namespace {

constexpr std::uint8_t kBackspace = 8;

// Presses the end marker when the run is left, by its end, an abort or an error: without it the library would
// stay in its in-use state and refuse every later trigger.
class EndMarker {
public:
    explicit EndMarker(Player& player) : player_(player) {}
    EndMarker(const EndMarker&) = delete;
    EndMarker& operator=(const EndMarker&) = delete;
    ~EndMarker() {
        try {
            player_.PostVKey(EndMarkerKey, false);
            player_.PostVKey(EndMarkerKey, true);
        } catch (...) {
            // A desktop that fails here fails for the macro's own error, which is on its way up.
        }
    }

private:
    Player& player_;
};

// Tells the host while the macro plays, however it ends.
class Playing {
public:
    Playing(ITriggerHost* host, std::string_view nickname) : host_(host) {
        if (host_ != nullptr) host_->macroPlaying(true, nickname);
    }
    ~Playing() {
        if (host_ != nullptr) host_->macroPlaying(false, {});
    }
    Playing(const Playing&) = delete;
    Playing& operator=(const Playing&) = delete;

private:
    ITriggerHost* host_;
};

}  // namespace

PlaybackMacro playbackMacroOf(const MacroRecord& record) {
    return PlaybackMacro{record.nickname, record.hotKeyCode, record.text()};
}

void TriggeredRun::play(const PlaybackMacro& macro, std::optional<int> backspaces, std::uint32_t typedPress) {
    if (playing_) return;
    playing_ = true;
    struct Done {
        bool& playing;
        ~Done() { playing = false; }
    } done{playing_};
    Player& player = playback_.player();
    table_.setInUse(true);
    playback_.platform().hook.QlnUpInUse(table_.image());
    const EndMarker marker(player);
    const Playing playing(host_, macro.nickname);
    keys_.waitUntilReleased(TriggerReleaseLimit);
    if (backspaces) {
        IMessagePump& pump = playback_.platform().pump;
        const int erase = *backspaces + keys_.takeBackAfter(typedPress);
        for (int i = 0; i < erase; ++i) {
            player.PostVKey(kBackspace, false);
            player.PostVKey(kBackspace, true);
            pump.processMessages();
        }
        player.PauseForNoSpeed(0.1);
    }
    player.IntoProgram(macro);
}

}  // namespace qln
