#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qln {

// Hot key codes beyond the 720 named ones.
constexpr std::uint16_t HotKeyTimed = 10000;
constexpr std::uint16_t HotKeySnipword = 20000;

enum ScopeKind : std::int16_t { ScopeGlobal = 1, ScopeWindow = 2, ScopeProgram = 3, ScopePopupMenu = 4, ScopeSystem = 5 };

// Widths and offsets of the fixed 5165-byte macro record, the same in memory and in the macro file.
namespace record {
constexpr std::size_t Size = 5165;
constexpr std::size_t Nickname = 0, NicknameChars = 50;
constexpr std::size_t WindowName = 51, WindowNameChars = 30;
constexpr std::size_t Snipword = 82, SnipwordChars = 10;
constexpr std::size_t HotKey = 93;
constexpr std::size_t Scope = 95;
constexpr std::size_t Active = 97;
constexpr std::size_t Reserved = 98;
constexpr std::size_t Text = 100, TextField = 5001, TextChars = 5000;
constexpr std::size_t Icon = 5101, IconChars = 12;
constexpr std::size_t ScheduleAt = 5114, ScheduleSize = 20;
constexpr std::size_t TopMostOnly = 5134;
constexpr std::size_t Modified = 5135;
constexpr std::size_t Tail = 5143, TailSize = 22;
}  // namespace record

using RecordBytes = std::array<std::uint8_t, record::Size>;

// The schedule block of a timed macro.
struct Schedule {
    std::uint16_t kind = 0;
    std::array<std::uint8_t, 7> days{};  // Monday first
    std::uint8_t hour = 0;               // 12-hour clock
    std::uint8_t minute = 0;
    std::uint8_t month = 0;
    std::uint8_t dayOfMonth = 0;
    std::uint8_t minutesPast = 0;
    std::uint16_t interval = 0;
    std::uint8_t weekday = 0;  // 1 = Sunday
    std::uint16_t year = 0;
    std::uint8_t pm = 0;
    bool operator==(const Schedule&) const = default;
};

// One macro.  The text field holds either macro text or, for Popup Menu macros, the raw popup item list; both
// are kept as the field's bytes so that a record read and written again is identical.
struct MacroRecord {
    std::string nickname;
    std::string windowName;
    std::string snipword;
    std::uint16_t hotKeyCode = 0;
    std::int16_t scope = ScopeGlobal;
    std::uint8_t active = 1;
    std::uint16_t reserved = 0;
    std::array<std::uint8_t, record::TextField> textField{};
    std::string iconName;
    Schedule schedule;
    std::uint8_t topMostOnly = 0;
    double modified = 0;
    std::array<std::uint8_t, record::TailSize> tail{};

    // The macro text: the text field up to its first zero (at most 5000 characters).
    std::string text() const;
    // Sets the macro text, cut to 5000 characters; the rest of the field is zeroed.
    void setText(std::string_view text);

    RecordBytes encode() const;
    static MacroRecord decode(std::span<const std::uint8_t, record::Size> bytes);
    bool operator==(const MacroRecord&) const = default;
};

}  // namespace qln
