#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qln {

// What a keyword of the macro language stands for; the layout behind the keyword is checked by TagRecognizer.
enum class TagKind : std::uint8_t {
    Key,            // key press of `value`
    MouseKey,       // a mouse button sent through the key output (`value` is its virtual key)
    HeldDown,       // held modifier `value` down
    HeldUp,         // held modifier `value` up
    OneShotShift,
    OneShotCtrl,
    OneShotAlt,
    Test,
    PauseAt,        // "<PAUSE:"
    Pause,          // "<PAUSE>"
    Delay,
    Speed,
    Msd,
    Rem,
    WindowCommand,  // `value` is a WindowCommand
    WindowSize,
    WindowPos,
    AltCode3,
    AltCode4,
    Counter,        // `value`: digits of padding, 1..4
    ClipFile,
    ClipCopy,
    ClipPaste,
    BegClip,
    PromptRep,
    Repeat,
    SpKey,
    SpMse,
    Swap,
    TFile,
    Http,
    Ftp,
    EndRep,
    EndClip,
    MouseButton,    // `value` indexes the twelve mouse-button tags
    WheelForward,
    WheelBackward,
    MoveScreen,
    MoveWindow,
    Wav1,
    Wav2,
    Beep,
    ChDir,
    DelFile,
    CopyFile,
    RenFile,
    Activate,
    Launch,
    LaunchNo,
    LaunchYes,
    Date,           // `value`: date format 1..51
    Time,           // `value`: time format 1..26
};

enum class WindowCommand : std::uint8_t { Shut, Hide, Show, Max, Min, Res, Cls };

struct Keyword {
    std::string_view text;  // from "<" through its final ">", ":" or "{"
    TagKind kind;
    std::uint8_t value;
};

// Every keyword in the interpreter's documented order of comparison.  The time formats appear once, with "{":
// their "{N}>" and "{Y}>" forms share the keyword.
std::span<const Keyword> keywordsInOrder();

// The keyword that the text at `pos` (a "<") begins with, or nullptr.  No keyword is a prefix of another, so
// at most one can match and the result is the one a comparison in any order would find.
const Keyword* matchKeyword(std::string_view text, std::size_t pos);

}  // namespace qln
