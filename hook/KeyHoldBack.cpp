#include "hook/KeyHoldBack.h"

#include <algorithm>

namespace qln::hook {

KeyHoldBack::Last KeyHoldBack::lastQueued(std::uint8_t keycode) const {
    for (auto it = queue_.rbegin(); it != queue_.rend(); ++it)
        if (it->keycode == keycode) return it->press ? Last::Press : Last::Release;
    return Last::Nothing;
}

std::vector<std::uint8_t> KeyHoldBack::begin(const std::bitset<256>& held, const std::bitset<256>& coreDown) {
    const std::bitset<256>& down = held;
    std::vector<std::uint8_t> now;
    const std::bitset<256> replayed = replayedDown_;
    for (std::size_t i = 0; i < replayedDown_.size(); ++i) {
        if (!replayedDown_[i]) continue;
        const auto kc = static_cast<std::uint8_t>(i);
        const auto release = std::find(queue_.begin(), queue_.end(), HeldKey{kc, false});
        const auto press = std::find(queue_.begin(), queue_.end(), HeldKey{kc, true});
        if (release != queue_.end() && (press == queue_.end() || release < press)) {
            // Its release was held back: it comes now, the trigger's release.
            queue_.erase(release);
            now.push_back(kc);
        } else if (press == queue_.end() && down[i]) {
            passRelease_.set(i);
        } else {
            now.push_back(kc);
        }
    }
    replayedDown_.reset();
    for (std::size_t i = 0; i < down.size(); ++i) {
        const auto kc = static_cast<std::uint8_t>(i);
        const Last last = lastQueued(kc);
        if ((down[i] || (coreDown[i] && !replayed[i])) && last != Last::Press &&
            std::find(now.begin(), now.end(), kc) == now.end())
            passRelease_.set(i);
        if (!down[i] && last == Last::Press) queue_.push_back({kc, false});
    }
    return now;
}

void KeyHoldBack::takeBack(const std::vector<HeldKey>& keys) {
    queue_.insert(queue_.begin(), keys.begin(), keys.end());
    // Their releases come from the taken-back keys now, not from the user's keyboard.
    for (const HeldKey& k : keys)
        if (!k.press) passRelease_.reset(k.keycode);
}

std::vector<std::uint8_t> KeyHoldBack::finish(const std::bitset<256>& down) {
    std::vector<std::uint8_t> now;
    for (std::size_t i = 0; i < replayedDown_.size(); ++i)
        if (replayedDown_[i] && !down[i]) now.push_back(static_cast<std::uint8_t>(i));
    clear();
    return now;
}

KeyHoldBack::Action KeyHoldBack::key(std::uint8_t keycode, bool press, bool abortKey) {
    if (press) {
        passRelease_.reset(keycode);
        if (abortKey) {
            dropRelease_.set(keycode);
            return Action::Abort;
        }
        if (queue_.size() >= MaxQueued) {
            dropRelease_.set(keycode);
            return Action::Drop;
        }
        dropRelease_.reset(keycode);
        queue_.push_back({keycode, true});
        return Action::Hold;
    }
    if (passRelease_[keycode]) {
        passRelease_.reset(keycode);
        return Action::Pass;
    }
    if (dropRelease_[keycode]) {
        dropRelease_.reset(keycode);
        return Action::Drop;
    }
    // A release is queued even past the bound: a press that went out must come up again.
    queue_.push_back({keycode, false});
    return Action::Hold;
}

std::vector<HeldKey> KeyHoldBack::nextBatch() {
    std::vector<HeldKey> batch;
    while (!queue_.empty()) {
        const HeldKey k = queue_.front();
        queue_.pop_front();
        batch.push_back(k);
        replayedDown_[k.keycode] = k.press;
        if (k.press) break;
    }
    return batch;
}

void KeyHoldBack::clear() {
    queue_.clear();
    passRelease_.reset();
    dropRelease_.reset();
    replayedDown_.reset();
}

}  // namespace qln::hook
