#pragma once

#include "playback/DesktopEffects.h"
#include "playback/OnTopMessage.h"
#include "playback/Player.h"
#include "platform/Platform.h"

namespace qln {

// One playback assembly: the interpreter, the effects of its tags on the desktop and the message window,
// wired to one desktop and sharing one tray setting.  The application, qlntool, the tests and the benchmarks
// all play through it.
class PlaybackSession : public IMessageHandler {
public:
    // `swap` makes another macro file current for "<SWAP:"; `effects` replaces the desktop effects of the tags
    // (tests that only note what a tag hands over).
    explicit PlaybackSession(const Platform& platform, IMacroFileSwap* swap = nullptr,
                             ICommandEffects* effects = nullptr);
    PlaybackSession(const PlaybackSession&) = delete;
    PlaybackSession& operator=(const PlaybackSession&) = delete;

    void setUseTray(bool useTray);

    // Plays a macro as a trigger does: notes Caps Lock and the window in front, then plays it.
    void playTriggered(const PlaybackMacro& macro);
    // The abort request stops the playing macro; other messages are not playback's.
    void handleMessage(const Message& m) override;

    Platform& platform() { return platform_; }
    Player& player() { return player_; }
    DesktopEffects& effects() { return effects_; }
    OnTopMessage& messages() { return messages_; }

private:
    Platform platform_;
    DesktopEffects effects_;
    OnTopMessage messages_;
    Player player_;
};

}  // namespace qln
