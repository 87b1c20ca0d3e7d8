#include "playback/TagRecognizer.h"

#include <algorithm>

namespace qln {

namespace {

Tag tagOf(const Keyword* k) {
    Tag t;
    t.keyword = k;
    return t;
}

// A free text from `start` into `field`, its ">" (if any) into the tag's close; returns the end of the tag.
std::size_t freeText(std::string_view text, std::size_t start, std::string_view& field, Tag& t) {
    const FreeText f = readFreeText(text, start);
    field = f.whole;
    const std::size_t stop = std::min(start, text.size()) + f.whole.size();
    t.parts.close = text.substr(stop, f.end - stop);
    return f.end;
}

// The fixed fields from the end of the keyword: `first`, optionally a separator and `second`, then ">".
Tag fixedTag(const Keyword* k, std::string_view text, std::size_t pos, std::size_t firstWidth,
             std::size_t secondWidth = 0) {
    const std::size_t at = pos + k->text.size();
    const std::size_t close = at + firstWidth + (secondWidth == 0 ? 0 : 1 + secondWidth);
    if (close >= text.size() || text[close] != '>') return {};
    Tag t = tagOf(k);
    t.parts.first = text.substr(at, firstWidth);
    if (secondWidth != 0) {
        t.parts.separator = text.substr(at + firstWidth, 1);
        t.parts.second = text.substr(at + firstWidth + 1, secondWidth);
    }
    t.parts.close = text.substr(close, 1);
    t.end = close + 1;
    return t;
}

// Two fixed fields and a separator, then a free text into `TagParts::*field`.
Tag boxTag(const Keyword* k, std::string_view text, std::size_t pos, std::size_t width,
           std::string_view TagParts::*field) {
    const std::size_t at = pos + k->text.size();
    const std::size_t textAt = at + 2 * width + 1;
    if (textAt > text.size()) return {};
    Tag t = tagOf(k);
    t.parts.first = text.substr(at, width);
    t.parts.separator = text.substr(at + width, 1);
    t.parts.second = text.substr(at + width + 1, width);
    t.end = freeText(text, textAt, t.parts.*field, t);
    return t;
}

Tag twoFileTag(const Keyword* k, std::string_view text, std::size_t start) {
    Tag t = tagOf(k);
    const std::size_t semi = text.find(';', start);
    if (semi == std::string_view::npos) {
        // The source runs on to the end of the text and there is no target.
        t.parts.text = text.substr(start);
        t.end = text.size();
        return t;
    }
    t.parts.text = text.substr(start, semi - start);
    t.parts.divider = text.substr(semi, 1);
    t.end = freeText(text, semi + 1, t.parts.text2, t);
    return t;
}

// A program path, optionally "<PARAM>" and arguments; the field runs past the ">" of "<PARAM>".
void pathField(std::string_view text, std::size_t start, Tag& t) {
    start = std::min(start, text.size());
    std::size_t close = text.find('>', start);
    if (close != std::string_view::npos && text.substr(start, close - start).find("<PARAM") != std::string_view::npos)
        close = text.find('>', close + 1);
    const std::size_t fieldEnd = close == std::string_view::npos ? text.size() : close;
    const std::string_view whole = text.substr(start, fieldEnd - start);
    constexpr std::string_view kParam = "<PARAM>";
    // Only a "<PARAM>" within the part of the field that is kept splits it.
    if (const std::size_t at = whole.substr(0, kMaxFreeText).find(kParam); at != std::string_view::npos) {
        t.parts.text = whole.substr(0, at);
        t.parts.divider = whole.substr(at, kParam.size());
        t.parts.text2 = whole.substr(at + kParam.size());
    } else {
        t.parts.text = whole;
    }
    t.parts.close = text.substr(fieldEnd, close == std::string_view::npos ? 0 : 1);
    t.end = close == std::string_view::npos ? text.size() : close + 1;
}

Tag launchWaitTag(const Keyword* k, std::string_view text, std::size_t pos) {
    const std::size_t numberAt = pos + k->text.size();
    const std::size_t titleAt = numberAt + 2;
    if (titleAt > text.size()) return {};
    Tag t = tagOf(k);
    t.parts.first = text.substr(numberAt, 2);
    std::size_t titleEnd = text.find('<', titleAt);
    if (titleEnd == std::string_view::npos) titleEnd = text.size();
    t.parts.title = text.substr(titleAt, titleEnd - titleAt);
    // The eight characters of "<LAUNCH:" are skipped unchecked.
    const std::size_t pathAt = std::min(text.size(), titleEnd + 8);
    t.parts.skipped = text.substr(titleEnd, pathAt - titleEnd);
    pathField(text, pathAt, t);
    return t;
}

Tag dateTag(const Keyword* k, std::string_view text, std::size_t pos) {
    const std::size_t flagAt = pos + k->text.size();
    if (flagAt + 3 > text.size()) return {};
    Tag t = tagOf(k);
    t.parts.first = text.substr(flagAt, 1);
    t.parts.separator = text.substr(flagAt + 1, 1);
    if (text[flagAt + 2] == '>') {
        t.parts.close = text.substr(flagAt + 2, 1);
        t.end = flagAt + 3;
        return t;
    }
    if (flagAt + 7 > text.size()) return {};
    t.parts.second = text.substr(flagAt + 2, 3);
    t.parts.close = text.substr(flagAt + 5, 2);
    t.end = flagAt + 7;
    return t;
}

Tag timeTag(const Keyword* k, std::string_view text, std::size_t pos) {
    const std::size_t flagAt = pos + k->text.size();
    if (flagAt + 3 > text.size()) return {};
    const char flag = text[flagAt];
    if ((flag != 'N' && flag != 'Y') || text[flagAt + 1] != '}' || text[flagAt + 2] != '>') return {};
    Tag t = tagOf(k);
    t.parts.first = text.substr(flagAt, 1);
    t.parts.close = text.substr(flagAt + 1, 2);
    t.end = flagAt + 3;
    return t;
}

}  // namespace

long Tag::dayOffset() const {
    if (parts.second.empty()) return 0;
    const long days = readIntField(parts.second).value;
    return parts.separator == "P" ? -days : days;
}

Tag recognizeTag(std::string_view text, std::size_t pos) {
    const Keyword* k = matchKeyword(text, pos);
    if (k == nullptr) return {};
    const std::size_t after = pos + k->text.size();
    switch (k->kind) {
        case TagKind::Delay:
        case TagKind::Speed:
            return fixedTag(k, text, pos, 5);
        case TagKind::Msd:
        case TagKind::SpKey:
        case TagKind::SpMse:
        case TagKind::AltCode4:
        case TagKind::Repeat:
            return fixedTag(k, text, pos, 4);
        case TagKind::AltCode3:
        case TagKind::WheelForward:
        case TagKind::WheelBackward:
            return fixedTag(k, text, pos, 3);
        case TagKind::MoveScreen:
        case TagKind::MoveWindow:
            return fixedTag(k, text, pos, 5, 5);
        case TagKind::PauseAt:
            return boxTag(k, text, pos, 3, &TagParts::text);
        case TagKind::WindowSize:
        case TagKind::WindowPos:
            return boxTag(k, text, pos, 4, &TagParts::title);
        case TagKind::WindowCommand:
        case TagKind::Activate: {
            Tag t = tagOf(k);
            t.end = freeText(text, after, t.parts.title, t);
            return t;
        }
        case TagKind::Rem:
        case TagKind::ClipFile:
        case TagKind::Swap:
        case TagKind::TFile:
        case TagKind::Http:
        case TagKind::Ftp:
        case TagKind::Wav1:
        case TagKind::Wav2:
        case TagKind::ChDir:
        case TagKind::DelFile: {
            Tag t = tagOf(k);
            t.end = freeText(text, after, t.parts.text, t);
            return t;
        }
        case TagKind::CopyFile:
        case TagKind::RenFile:
            return twoFileTag(k, text, after);
        case TagKind::Launch: {
            Tag t = tagOf(k);
            pathField(text, after, t);
            return t;
        }
        case TagKind::LaunchYes:
        case TagKind::LaunchNo:
            return launchWaitTag(k, text, pos);
        case TagKind::Date:
            return dateTag(k, text, pos);
        case TagKind::Time:
            return timeTag(k, text, pos);
        default:
            break;
    }
    Tag t = tagOf(k);
    t.end = after;
    return t;
}

}  // namespace qln
