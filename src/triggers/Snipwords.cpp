#include "triggers/Snipwords.h"

#include <cstring>
#include <vector>

#include "core/TextCase.h"
#include "triggers/NameMatch.h"
#include "triggers/TriggerMessages.h"

namespace qln {

namespace {
constexpr std::size_t kSnipwordChars = 10;
constexpr std::size_t kCandidateChars = 14;
constexpr std::size_t kMaxMatches = 50;
constexpr unsigned char kBackspace = 8, kEnter = 13, kSpace = 32;
}  // namespace

bool snipwordCharacter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return c != 0 && std::strchr("!#$%&*+,-./;<=>?@^_", c) != nullptr;
}

std::string Snipwords::prefix() const {
    if (suffixMode()) return {};
    return settings_.snipwordPrefixKeys.substr(0, 2);
}

void Snipwords::typed(const hook::TypedCharacter& m) {
    if (macros_.count() == 0 || macros_.table().snipwordFlag() == 0) return;
    // Typing while a macro plays (keys that could not be held back) makes no Snipword; a pause still refuses one
    // with its warning.
    if (m.state != hook::TypedCharacter::State::Reset && run_.playing() && !playback_.player().state().paused)
        return;
    lastState_ = m.state;
    lastPress_ = m.press;
    if (m.state == hook::TypedCharacter::State::Reset) {
        buffer_.clear();
        return;
    }
    playback_.player().state().capsLockFlag = m.state == hook::TypedCharacter::State::CapsLock;
    const unsigned char c = m.character;
    if (snipwordCharacter(c)) {
        if (buffer_.size() < BufferChars) buffer_ += static_cast<char>(c);
        const std::size_t keep = prefix().size() + kSnipwordChars;
        if (buffer_.size() > keep) buffer_.erase(0, buffer_.size() - keep);
        if (!suffixMode()) TestIt();
        return;
    }
    if (c == kBackspace) {
        if (!buffer_.empty()) buffer_.pop_back();
        return;
    }
    if (suffixMode() && (c == kSpace || c == kEnter)) TestIt();
    buffer_.clear();
}

void Snipwords::TestIt() {
    const std::string pre = prefix();
    if (!pre.empty() && buffer_.find(pre) == std::string::npos) return;
    const bool exact = settings_.snipwordCaseSensitive;
    const std::string typed = exact ? buffer_ : upperWin1252(buffer_);
    const bool whole = suffixMode() || settings_.snipwordSolitaryUsage;

    const TriggerTable& t = macros_.table();
    std::vector<int> matches;
    for (int n = 1; n <= macros_.count() && matches.size() < kMaxMatches; ++n) {
        if (t.code(n) != HotKeySnipword || t.active(n) == 0 || macros_.snipword(n).empty()) continue;
        std::string candidate = (pre + macros_.snipword(n)).substr(0, kCandidateChars);
        if (!exact) candidate = upperWin1252(candidate);
        if (whole ? typed == candidate : typed.find(candidate) != std::string::npos) matches.push_back(n);
    }
    if (matches.empty()) return;

    if (state_.popupMenuShown) return host_.warning(PopupMenuShownWarning);
    if (host_.captureRunning()) return host_.warning(RecordingWarning);
    if (playback_.player().state().paused) return host_.warning(PausedWarning);
    if (run_.playing()) return;

    Platform& platform = playback_.platform();
    const WindowHandle front = platform.windows.foregroundWindow();
    const std::string title = upperWin1252(platform.windows.windowTitle(front));
    for (const int n : matches)
        if (t.scope(n) == ScopeWindow && nameOccursIn(t.name(n), title)) return runSnipword(n);
    const std::string program = programOfWindow(platform, front);
    for (const int n : matches)
        if (t.scope(n) == ScopeProgram && nameOccursIn(t.name(n), program)) return runSnipword(n);
    for (const int n : matches)
        if (t.scope(n) == ScopeGlobal) return runSnipword(n);
}

void Snipwords::runSnipword(int macro) {
    const auto record = host_.readMacro(macro);
    if (!record) return;
    state_.pendingMacro = macro;
    state_.playbackRecord = *record;
    const int erase = static_cast<int>(macros_.snipword(macro).size()) +
                      (suffixMode() ? 1 : static_cast<int>(prefix().size()));
    // The buffer goes whatever the macro does: its text must not match again.
    buffer_.clear();
    playback_.player().state().returnWindow = playback_.platform().windows.foregroundWindow();
    run_.play(playbackMacroOf(*record), erase, lastPress_);
    buffer_.clear();
}

}  // namespace qln
