#include "playback/PauseDialog.h"

#include <algorithm>
#include <string>

#include "store/HotKeyNames.h"
#include "store/MacroRecord.h"

namespace qln {

namespace {
constexpr int kWidth = 224;
constexpr int kBaseHeight = 94;
}  // namespace

int pauseMessageHeight(std::size_t length) {
    return length == 0 ? 0 : static_cast<int>(length / 30) * 19 + 19;
}

PauseDialogRequest pauseRequest(ScreenSize screen, const std::optional<PauseAt>& at, std::string_view nickname,
                                std::uint16_t hotKeyCode) {
    PauseDialogRequest r;
    r.width = kWidth;
    if (at) {
        r.message = std::string(at->message);
        r.messageHeight = pauseMessageHeight(at->message.size());
        const long maxTop = static_cast<long>(screen.height) - r.messageHeight - kBaseHeight;
        const long maxLeft = static_cast<long>(screen.width) - kWidth;
        r.top = static_cast<int>(std::min(at->top, maxTop));
        r.left = static_cast<int>(std::min(at->left, maxLeft));
    } else {
        r.left = (screen.width - kWidth) / 2;
        r.top = (screen.height - kBaseHeight) / 2;
    }
    r.height = kBaseHeight + r.messageHeight;
    r.title = std::string(nickname);
    r.caption = "Pause";
    if (hotKeyCode != HotKeyTimed && hotKeyCode != HotKeySnipword)
        r.caption = "Pause (" + hotKeyName(hotKeyCode) + ")";
    return r;
}

}  // namespace qln
