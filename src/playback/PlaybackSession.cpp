#include "playback/PlaybackSession.h"

namespace qln {

PlaybackSession::PlaybackSession(const Platform& platform, IMacroFileSwap* swap, ICommandEffects* effects)
    : platform_(platform),
      effects_(platform_, swap),
      messages_(platform_),
      player_(platform_, effects != nullptr ? *effects : effects_, messages_) {
    effects_.setReturnWindow(&player_.state().returnWindow);
}

void PlaybackSession::setUseTray(bool useTray) {
    player_.setUseTray(useTray);
    effects_.setUseTray(useTray);
    messages_.setUseTray(useTray);
}

void PlaybackSession::playTriggered(const PlaybackMacro& macro) {
    player_.state().capsLockFlag = platform_.layout.capsLockOn();
    player_.state().returnWindow = platform_.windows.foregroundWindow();
    player_.IntoProgram(macro);
}

void PlaybackSession::handleMessage(const Message& m) {
    if (std::holds_alternative<hook::AbortRequest>(m)) player_.requestAbort();
}

}  // namespace qln
