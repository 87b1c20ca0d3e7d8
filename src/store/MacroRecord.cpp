#include "store/MacroRecord.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "store/ShortString.h"

namespace qln {

namespace {

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");

template <typename T>
void put(RecordBytes& b, std::size_t at, T value) {
    std::memcpy(b.data() + at, &value, sizeof value);
}

template <typename T>
T get(std::span<const std::uint8_t, record::Size> b, std::size_t at) {
    T value;
    std::memcpy(&value, b.data() + at, sizeof value);
    return value;
}

}  // namespace

std::string MacroRecord::text() const {
    const auto end = std::find(textField.begin(), textField.begin() + record::TextChars, 0);
    return std::string(textField.begin(), end);
}

void MacroRecord::setText(std::string_view text) {
    textField.fill(0);
    const std::size_t n = std::min(text.size(), record::TextChars);
    std::copy_n(text.begin(), n, textField.begin());
}

RecordBytes MacroRecord::encode() const {
    using namespace record;
    RecordBytes b{};
    writeShortString(std::span(b).subspan(Nickname, NicknameChars + 1), nickname);
    writeShortString(std::span(b).subspan(WindowName, WindowNameChars + 1), windowName);
    writeShortString(std::span(b).subspan(Snipword, SnipwordChars + 1), snipword);
    put(b, HotKey, hotKeyCode);
    put(b, Scope, scope);
    b[Active] = active;
    put(b, Reserved, reserved);
    std::copy(textField.begin(), textField.end(), b.begin() + Text);
    b[Text + TextChars] = 0;  // the text always ends within its field
    writeShortString(std::span(b).subspan(Icon, IconChars + 1), iconName);
    put(b, ScheduleAt, schedule.kind);
    std::copy(schedule.days.begin(), schedule.days.end(), b.begin() + ScheduleAt + 2);
    b[ScheduleAt + 9] = schedule.hour;
    b[ScheduleAt + 10] = schedule.minute;
    b[ScheduleAt + 11] = schedule.month;
    b[ScheduleAt + 12] = schedule.dayOfMonth;
    b[ScheduleAt + 13] = schedule.minutesPast;
    put(b, ScheduleAt + 14, schedule.interval);
    b[ScheduleAt + 16] = schedule.weekday;
    put(b, ScheduleAt + 17, schedule.year);
    b[ScheduleAt + 19] = schedule.pm;
    b[TopMostOnly] = topMostOnly;
    put(b, Modified, modified);
    std::copy(tail.begin(), tail.end(), b.begin() + Tail);
    return b;
}

MacroRecord MacroRecord::decode(std::span<const std::uint8_t, record::Size> b) {
    using namespace record;
    MacroRecord r;
    r.nickname = readShortString(b.subspan(Nickname, NicknameChars + 1));
    r.windowName = readShortString(b.subspan(WindowName, WindowNameChars + 1));
    r.snipword = readShortString(b.subspan(Snipword, SnipwordChars + 1));
    r.hotKeyCode = get<std::uint16_t>(b, HotKey);
    r.scope = get<std::int16_t>(b, Scope);
    r.active = b[Active];
    r.reserved = get<std::uint16_t>(b, Reserved);
    std::copy_n(b.begin() + Text, TextField, r.textField.begin());
    r.iconName = readShortString(b.subspan(Icon, IconChars + 1));
    r.schedule.kind = get<std::uint16_t>(b, ScheduleAt);
    std::copy_n(b.begin() + ScheduleAt + 2, 7, r.schedule.days.begin());
    r.schedule.hour = b[ScheduleAt + 9];
    r.schedule.minute = b[ScheduleAt + 10];
    r.schedule.month = b[ScheduleAt + 11];
    r.schedule.dayOfMonth = b[ScheduleAt + 12];
    r.schedule.minutesPast = b[ScheduleAt + 13];
    r.schedule.interval = get<std::uint16_t>(b, ScheduleAt + 14);
    r.schedule.weekday = b[ScheduleAt + 16];
    r.schedule.year = get<std::uint16_t>(b, ScheduleAt + 17);
    r.schedule.pm = b[ScheduleAt + 19];
    r.topMostOnly = b[TopMostOnly];
    r.modified = get<double>(b, Modified);
    std::copy_n(b.begin() + Tail, TailSize, r.tail.begin());
    return r;
}

}  // namespace qln
