// The interpreter's handling of each tag.
#include <array>
#include <string>

#include "playback/DateTimeFormats.h"
#include "playback/FieldReader.h"
#include "playback/Player.h"

namespace qln {

namespace {

constexpr std::uint8_t kShift = 16, kCtrl = 17, kAlt = 18;

// Events of the twelve mouse-button tags, in tag order: left, right, middle, each down, up, click, double click.
struct ButtonEvents {
    std::array<std::uint32_t, 4> flags;
    int count;
};
constexpr ButtonEvents buttonEvents(std::uint32_t down, std::uint32_t up, int form) {
    switch (form) {
        case 0:
            return {{down}, 1};
        case 1:
            return {{up}, 1};
        case 2:
            return {{down, up}, 2};
        default:
            return {{down, up, down, up}, 4};
    }
}
constexpr std::array<std::uint32_t, 3> kDown = {mouse::LeftDown, mouse::RightDown, mouse::MiddleDown};
constexpr std::array<std::uint32_t, 3> kUp = {mouse::LeftUp, mouse::RightUp, mouse::MiddleUp};

std::string zeroPadded(std::int32_t n, int width) {
    std::string digits = std::to_string(n);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

}  // namespace

Player::Flow Player::doTag(const Tag& tag, std::string_view text, std::size_t& pos, Call& call) {
    const std::uint8_t value = tag.keyword->value;
    pos = tag.end;
    switch (tag.kind()) {
        case TagKind::Key:
            keyPress(value, call);
            break;
        case TagKind::MouseKey:
            PostVKey(value, false);
            PostVKey(value, true);
            releasePending(call);
            break;
        case TagKind::HeldDown:
            PostVKey(value, false);
            break;
        case TagKind::HeldUp:
            PostVKey(value, true);
            break;
        case TagKind::OneShotShift:
            PostVKey(kShift, false);
            call.shift = true;
            break;
        case TagKind::OneShotCtrl:
            PostVKey(kCtrl, false);
            call.ctrl = true;
            break;
        case TagKind::OneShotAlt:
            PostVKey(kAlt, call.alt);
            call.alt = !call.alt;
            break;
        case TagKind::Test:
        case TagKind::Rem:
        case TagKind::EndClip:
            break;
        case TagKind::Pause:
            return doPause(std::nullopt);
        case TagKind::PauseAt:
            return doPause(PauseAt{readIntField(tag.top()).value, readIntField(tag.left()).value, tag.message()});
        case TagKind::Delay:
            PauseFor(readRealField(tag.seconds()).value);
            break;
        case TagKind::Speed:
            if (const RealField f = readRealField(tag.factor()); f.clean) state_.speedFactor = f.value;
            break;
        case TagKind::Msd:
            waitMilliseconds(readIntField(tag.milliseconds()).value);
            break;
        case TagKind::SpKey:
        case TagKind::SpMse: {
            // Kept as a 16-bit value, as the settings always were.
            const long ms = readIntField(tag.milliseconds()).value;
            const auto delay = static_cast<std::int16_t>(static_cast<std::uint16_t>(ms));
            const bool key = tag.kind() == TagKind::SpKey;
            (key ? state_.keyDelay : state_.mouseDelay) = delay;
            (key ? state_.keyDelayOn : state_.mouseDelayOn) = delay != 0;
            break;
        }
        case TagKind::AltCode3:
        case TagKind::AltCode4:
            if (state_.keyDelayOn) waitMilliseconds(state_.keyDelay);
            typeAltCode(tag.digits());
            break;
        case TagKind::Counter:
            if (state_.inRepeat || state_.counterValid) run(zeroPadded(state_.passCounter, value), false);
            break;
        case TagKind::MouseButton: {
            mouseDelay();
            const ButtonEvents events = buttonEvents(kDown[value / 4], kUp[value / 4], value % 4);
            for (int i = 0; i < events.count; ++i) sendMouse(events.flags[static_cast<std::size_t>(i)]);
            break;
        }
        case TagKind::WheelForward:
        case TagKind::WheelBackward: {
            const long notches = readIntField(tag.notches()).value;
            mouseDelay();
            sendMouse(mouse::Wheel, 0, 0, (tag.kind() == TagKind::WheelForward ? 120LL : -120LL) * notches);
            break;
        }
        case TagKind::MoveScreen:
        case TagKind::MoveWindow: {
            double x = readRealField(tag.x()).value;
            double y = readRealField(tag.y()).value;
            if (tag.kind() == TagKind::MoveWindow) {
                const Rect r = platform_.windows.windowRect(platform_.windows.foregroundWindow());
                x += r.left;
                y += r.top;
            }
            mouseDelay();
            sendMouse(mouse::AbsoluteMove, x * state_.mouseScaleX, y * state_.mouseScaleY);
            break;
        }
        case TagKind::Date:
            typeText(renderDate(value, tag.padded(), tag.dayOffset(), platform_.clock.localNow()), call);
            break;
        case TagKind::Time:
            typeText(renderTime(value, tag.padded(), platform_.clock.localNow()), call);
            break;
        case TagKind::WindowCommand:
            effects_.windowCommand(static_cast<WindowCommand>(value), tag.title());
            break;
        case TagKind::WindowSize:
            effects_.sizeWindow(tag.title(), readIntField(tag.width()).value, readIntField(tag.height()).value);
            break;
        case TagKind::WindowPos:
            effects_.moveWindow(tag.title(), readIntField(tag.x()).value, readIntField(tag.y()).value);
            break;
        case TagKind::Activate:
            if (!tag.title().empty() && !effects_.ActivateIt(tag.title())) pos = text.size();
            break;
        case TagKind::ClipCopy:
        case TagKind::ClipPaste: {
            const std::uint8_t key = tag.kind() == TagKind::ClipCopy ? 67 : 86;
            PostVKey(kCtrl, false);
            PostVKey(key, false);
            PostVKey(key, true);
            PostVKey(kCtrl, true);
            if (key == 86) PauseForNoSpeed(0.1);
            break;
        }
        case TagKind::BegClip: {
            const std::size_t close = text.find("<ENDCLIP>", tag.end);
            if (close == std::string_view::npos) {
                pos = text.size() - 1;  // the last character is then read on its own
            } else {
                putOnClipboard(text.substr(tag.end, close - tag.end));
                pos = close;
            }
            break;
        }
        case TagKind::ClipFile:
            if (const auto contents = effects_.readTextFile(tag.file())) {
                putOnClipboard(std::string_view(*contents).substr(0, contents->find('\0')));
            }
            break;
        case TagKind::TFile:
            if (const auto contents = effects_.readTextFile(tag.file())) {
                platform_.input.prepareText(*contents);
                run(*contents, false);
            }
            break;
        case TagKind::ChDir:
            effects_.changeFolder(tag.folder());
            break;
        case TagKind::DelFile:
            effects_.deleteFile(tag.file());
            break;
        case TagKind::CopyFile:
            if (tag.hasTarget()) effects_.copyFile(tag.source(), tag.target());
            break;
        case TagKind::RenFile:
            if (tag.hasTarget()) effects_.renameFile(tag.source(), tag.target());
            break;
        case TagKind::Swap:
            effects_.swapMacroFile(tag.file());
            break;
        case TagKind::Launch:
            effects_.launch(tag.program(), tag.arguments());
            break;
        case TagKind::LaunchYes:
        case TagKind::LaunchNo:
            if (!effects_.launchAndWait(tag.kind() == TagKind::LaunchYes, readIntField(tag.seconds()).value,
                                        tag.title(), tag.program(), tag.arguments()))
                pos = text.size();
            break;
        case TagKind::Http:
        case TagKind::Ftp:
            effects_.openAddress(tag.address());
            break;
        case TagKind::Beep:
            effects_.beep();
            break;
        case TagKind::Wav1:
        case TagKind::Wav2:
            effects_.playWave(tag.file(), tag.kind() == TagKind::Wav1);
            break;
        case TagKind::Repeat:
        case TagKind::PromptRep:
            return doRepeat(tag, text);
        case TagKind::EndRep:
            state_.counterValid = false;
            break;
    }
    return Flow::Next;
}

Player::Flow Player::doRepeat(const Tag& tag, std::string_view text) {
    std::uint16_t count = 0;
    if (tag.kind() == TagKind::PromptRep)
        count = effects_.DoRepPrompt().value_or(0);
    else
        count = static_cast<std::uint16_t>(readIntField(tag.count()).value);
    // Inside a pass the tag is skipped and its body plays as text of the pass.
    if (state_.inRepeat) return Flow::Next;
    const std::size_t close = text.find("<ENDREP>", tag.end);
    if (close == std::string_view::npos) return Flow::Next;
    const std::string body(text.substr(tag.end, close - tag.end));
    state_.inRepeat = true;
    state_.passCounter = 0;
    state_.counterValid = false;
    for (int pass = 1; pass < count && !state_.abortFlag && !state_.stopped; ++pass) {
        ++state_.passCounter;
        run(body, false);
    }
    state_.inRepeat = false;
    ++state_.passCounter;
    state_.counterValid = true;
    if (state_.stopped) return Flow::Return;
    // The last pass plays inline, as part of this text; its "<ENDREP>" clears the counter.  After an abort the
    // next step of this call stops instead, with the notice if no pass has shown it yet.
    return Flow::Next;
}

}  // namespace qln
