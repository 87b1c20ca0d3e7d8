#include "playback/Keywords.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "playback/DateTimeFormats.h"

namespace qln {

namespace {

using K = TagKind;

// Fixed keywords up to the date and time formats, in order of comparison.
constexpr Keyword kFixed[] = {
    {"<TAB>", K::Key, 9},
    {"<ENTER>", K::Key, 13},
    {"<RIGHTWIN>", K::Key, 92},
    {"<LEFTWIN>", K::Key, 91},
    {"<APP>", K::Key, 93},
    {"<BACKSPACE>", K::Key, 8},
    {"<ESC>", K::Key, 27},
    {"<SPACE>", K::Key, 32},
    {"<LEFT ARROW>", K::Key, 37},
    {"<RIGHT ARROW>", K::Key, 39},
    {"<UP ARROW>", K::Key, 38},
    {"<DOWN ARROW>", K::Key, 40},
    {"<TEST>", K::Test, 0},
    {"<HOME>", K::Key, 36},
    {"<END>", K::Key, 35},
    {"<INSERT>", K::Key, 45},
    {"<DELETE>", K::Key, 46},
    {"<PAGE DOWN>", K::Key, 34},
    {"<PAGE UP>", K::Key, 33},
    {"<CTLD>", K::HeldDown, 17},
    {"<CTLU>", K::HeldUp, 17},
    {"<ALTD>", K::HeldDown, 18},
    {"<ALTU>", K::HeldUp, 18},
    {"<SHFD>", K::HeldDown, 16},
    {"<SHFU>", K::HeldUp, 16},
    {"<WIND>", K::HeldDown, 91},
    {"<WINU>", K::HeldUp, 91},
    {"<RIGHT MOUSE>", K::MouseKey, 2},
    {"<MIDDLE MOUSE>", K::MouseKey, 4},
    {"<PAUSE:", K::PauseAt, 0},
    {"<PAUSE>", K::Pause, 0},
    {"<DELAY:", K::Delay, 0},
    {"<SPEED:", K::Speed, 0},
    {"<MSD:", K::Msd, 0},
    {"<REM:", K::Rem, 0},
    {"<WSHUT:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Shut)},
    {"<WHIDE:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Hide)},
    {"<WSHOW:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Show)},
    {"<WSIZE:", K::WindowSize, 0},
    {"<WPOS:", K::WindowPos, 0},
    {"<ALT:", K::AltCode3, 0},
    {"<ALT4:", K::AltCode4, 0},
    {"<IIII>", K::Counter, 4},
    {"<III>", K::Counter, 3},
    {"<II>", K::Counter, 2},
    {"<I>", K::Counter, 1},
    {"<CLIPF:", K::ClipFile, 0},
    {"<CLIPC>", K::ClipCopy, 0},
    {"<CLIPP>", K::ClipPaste, 0},
    {"<BEGCLIP>", K::BegClip, 0},
    {"<PROMPTREP>", K::PromptRep, 0},
    {"<REPEAT:", K::Repeat, 0},
    {"<SPKEY:", K::SpKey, 0},
    {"<SPMSE:", K::SpMse, 0},
    {"<SWAP:", K::Swap, 0},
    {"<TFILE:", K::TFile, 0},
    {"<HTTP:", K::Http, 0},
    {"<FTP:", K::Ftp, 0},
    {"<ENDREP>", K::EndRep, 0},
    {"<ENDCLIP>", K::EndClip, 0},
    {"<LDN>", K::MouseButton, 0},
    {"<LUP>", K::MouseButton, 1},
    {"<LCLK>", K::MouseButton, 2},
    {"<LDCLK>", K::MouseButton, 3},
    {"<RDN>", K::MouseButton, 4},
    {"<RUP>", K::MouseButton, 5},
    {"<RCLK>", K::MouseButton, 6},
    {"<RDCLK>", K::MouseButton, 7},
    {"<MDN>", K::MouseButton, 8},
    {"<MUP>", K::MouseButton, 9},
    {"<MCLK>", K::MouseButton, 10},
    {"<MDCLK>", K::MouseButton, 11},
    {"<WFW:", K::WheelForward, 0},
    {"<WBW:", K::WheelBackward, 0},
    {"<MMS:", K::MoveScreen, 0},
    {"<MMW:", K::MoveWindow, 0},
    {"<F1>", K::Key, 112},
    {"<F2>", K::Key, 113},
    {"<F3>", K::Key, 114},
    {"<F4>", K::Key, 115},
    {"<F5>", K::Key, 116},
    {"<F6>", K::Key, 117},
    {"<F7>", K::Key, 118},
    {"<F8>", K::Key, 119},
    {"<F9>", K::Key, 120},
    {"<F10>", K::Key, 121},
    {"<F11>", K::Key, 122},
    {"<F12>", K::Key, 123},
    {"<F13>", K::Key, 124},
    {"<F14>", K::Key, 125},
    {"<F15>", K::Key, 126},
    {"<F16>", K::Key, 127},
    {"<F17>", K::Key, 128},
    {"<F18>", K::Key, 129},
    {"<F19>", K::Key, 130},
    {"<F20>", K::Key, 131},
    {"<F21>", K::Key, 132},
    {"<F22>", K::Key, 133},
    {"<F23>", K::Key, 134},
    {"<F24>", K::Key, 135},
    {"<SHIFT>", K::OneShotShift, 0},
    {"<CTRL>", K::OneShotCtrl, 0},
    {"<ALT>", K::OneShotAlt, 0},
    {"<ATTN>", K::Key, 246},
    {"<CRSEL>", K::Key, 247},
    {"<EXSEL>", K::Key, 248},
    {"<EREOF>", K::Key, 249},
    {"<PLAY>", K::Key, 250},
    {"<ZOOM>", K::Key, 251},
    {"<WAV1:", K::Wav1, 0},
    {"<WAV2:", K::Wav2, 0},
    {"<BEEP>", K::Beep, 0},
    {"<CHDIR:", K::ChDir, 0},
    {"<DELFILE:", K::DelFile, 0},
    {"<COPYFILE:", K::CopyFile, 0},
    {"<RENFILE:", K::RenFile, 0},
    {"<ACTIVATE:", K::Activate, 0},
    {"<LAUNCH:", K::Launch, 0},
    {"<LAUNCHNO:", K::LaunchNo, 0},
    {"<LAUNCHYES:", K::LaunchYes, 0},
    {"<PA1>", K::Key, 253},
    {"<PRTSCR>", K::Key, 44},
    {"<KEYP0>", K::Key, 96},
    {"<KEYP1>", K::Key, 97},
    {"<KEYP2>", K::Key, 98},
    {"<KEYP3>", K::Key, 99},
    {"<KEYP4>", K::Key, 100},
    {"<KEYP5>", K::Key, 101},
    {"<KEYP6>", K::Key, 102},
    {"<KEYP7>", K::Key, 103},
    {"<KEYP8>", K::Key, 104},
    {"<KEYP9>", K::Key, 105},
    {"<KEYP*>", K::Key, 106},
    {"<KEYP+>", K::Key, 107},
    {"<KEYP->", K::Key, 109},
    {"<KEYP.>", K::Key, 110},
    {"<KEYP/>", K::Key, 111},
    {"<WMAX:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Max)},
    {"<WMIN:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Min)},
    {"<WCLS:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Cls)},
    {"<WRES:", K::WindowCommand, static_cast<std::uint8_t>(WindowCommand::Res)},
};

class Catalogue {
public:
    Catalogue() {
        // Keep the generated texts alive in one place; string_views into them are stable once built.
        const auto dates = dateFormatNames();
        const auto times = timeFormatNames();
        generated_.reserve(dates.size() + times.size());
        for (auto name : dates) generated_.push_back("<" + std::string(name) + "{");
        for (auto name : times) generated_.push_back("<" + std::string(name) + "{");

        ordered_.assign(std::begin(kFixed), std::end(kFixed));
        for (std::size_t i = 0; i < dates.size(); ++i)
            ordered_.push_back({generated_[i], K::Date, static_cast<std::uint8_t>(i + 1)});
        for (std::size_t i = 0; i < times.size(); ++i)
            ordered_.push_back({generated_[dates.size() + i], K::Time, static_cast<std::uint8_t>(i + 1)});

        sorted_ = ordered_;
        std::sort(sorted_.begin(), sorted_.end(), [](const Keyword& a, const Keyword& b) { return a.text < b.text; });
        // Range of sorted keywords by the character after "<".
        for (std::size_t i = 0; i < sorted_.size(); ++i) {
            const auto c = static_cast<unsigned char>(sorted_[i].text[1]);
            if (first_[c] == last_[c]) first_[c] = static_cast<std::uint16_t>(i);
            last_[c] = static_cast<std::uint16_t>(i + 1);
        }
    }

    std::span<const Keyword> ordered() const { return ordered_; }

    const Keyword* match(std::string_view rest) const {
        if (rest.size() < 2) return nullptr;
        const auto c = static_cast<unsigned char>(rest[1]);
        auto begin = sorted_.begin() + first_[c];
        auto end = sorted_.begin() + last_[c];
        // The only keyword that can be a prefix of `rest` is the greatest one not above it.
        auto it = std::upper_bound(begin, end, rest, [](std::string_view r, const Keyword& k) { return r < k.text; });
        if (it == begin) return nullptr;
        --it;
        return rest.starts_with(it->text) ? &*it : nullptr;
    }

private:
    std::vector<std::string> generated_;
    std::vector<Keyword> ordered_;
    std::vector<Keyword> sorted_;
    std::array<std::uint16_t, 256> first_{};
    std::array<std::uint16_t, 256> last_{};
};

const Catalogue& catalogue() {
    static const Catalogue c;
    return c;
}

}  // namespace

std::span<const Keyword> keywordsInOrder() { return catalogue().ordered(); }

const Keyword* matchKeyword(std::string_view text, std::size_t pos) {
    return pos < text.size() ? catalogue().match(text.substr(pos)) : nullptr;
}

}  // namespace qln
