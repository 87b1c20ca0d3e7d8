#include "playback/TagRecognizer.h"

#include <algorithm>

#include "playback/FieldReader.h"

namespace qln {

namespace {

constexpr std::size_t kMaxFreeText = 255;

std::string_view cut(std::string_view s) { return s.substr(0, std::min(s.size(), kMaxFreeText)); }

// A fixed layout whose closing ">" stands at offset `close`.
bool closesAt(std::string_view text, std::size_t pos, std::size_t close) {
    return pos + close < text.size() && text[pos + close] == '>';
}

bool fits(std::string_view text, std::size_t pos, std::size_t length) { return pos + length <= text.size(); }

Tag freeTextTag(const Keyword* k, std::string_view text, std::size_t start) {
    Tag t;
    t.keyword = k;
    const FreeText f = readFreeText(text, start);
    t.a = f.value;
    t.end = f.end;
    return t;
}

Tag fixedTag(const Keyword* k, std::string_view text, std::size_t pos, std::size_t close, std::size_t aFrom,
             std::size_t aTo) {
    if (!closesAt(text, pos, close)) return {};
    Tag t;
    t.keyword = k;
    t.a = text.substr(pos + aFrom, aTo - aFrom);
    t.end = pos + close + 1;
    return t;
}

Tag twoFileTag(const Keyword* k, std::string_view text, std::size_t start) {
    Tag t;
    t.keyword = k;
    const std::size_t semi = text.find(';', start);
    if (semi == std::string_view::npos) {
        // The source runs on to the end of the text and there is no target.
        t.a = cut(text.substr(start));
        t.separatorFound = false;
        t.end = text.size();
        return t;
    }
    t.a = cut(text.substr(start, semi - start));
    const FreeText target = readFreeText(text, semi + 1);
    t.b = target.value;
    t.end = target.end;
    return t;
}

Tag launchWaitTag(const Keyword* k, std::string_view text, std::size_t pos, std::size_t numberAt) {
    const std::size_t titleAt = numberAt + 2;
    if (!fits(text, pos, titleAt)) return {};
    Tag t;
    t.keyword = k;
    t.d = text.substr(pos + numberAt, 2);
    std::size_t titleEnd = text.find('<', pos + titleAt);
    if (titleEnd == std::string_view::npos) titleEnd = text.size();
    t.c = cut(text.substr(pos + titleAt, titleEnd - (pos + titleAt)));
    // The eight characters of "<LAUNCH:" are skipped unchecked.
    const std::size_t pathAt = std::min(text.size(), titleEnd + 8);
    const PathField path = readPathField(text, pathAt);
    t.a = path.program;
    t.b = path.arguments;
    t.end = path.end;
    return t;
}

Tag dateTag(const Keyword* k, std::string_view text, std::size_t pos) {
    const std::size_t flagAt = pos + k->text.size();
    if (flagAt + 3 > text.size()) return {};
    Tag t;
    t.keyword = k;
    t.pad = text[flagAt] == 'Y';
    if (text[flagAt + 2] == '>') {
        t.end = flagAt + 3;
        return t;
    }
    if (flagAt + 7 > text.size()) return {};
    const long days = readIntField(text.substr(flagAt + 2, 3)).value;
    t.dayOffset = text[flagAt + 1] == 'P' ? -days : days;
    t.end = flagAt + 7;
    return t;
}

Tag timeTag(const Keyword* k, std::string_view text, std::size_t pos) {
    const std::size_t flagAt = pos + k->text.size();
    if (flagAt + 3 > text.size()) return {};
    const char flag = text[flagAt];
    if ((flag != 'N' && flag != 'Y') || text[flagAt + 1] != '}' || text[flagAt + 2] != '>') return {};
    Tag t;
    t.keyword = k;
    t.pad = flag == 'Y';
    t.end = flagAt + 3;
    return t;
}

}  // namespace

PathField readPathField(std::string_view text, std::size_t start) {
    start = std::min(start, text.size());
    std::size_t close = text.find('>', start);
    if (close != std::string_view::npos && text.substr(start, close - start).find("<PARAM") != std::string_view::npos)
        close = text.find('>', close + 1);
    const std::size_t fieldEnd = close == std::string_view::npos ? text.size() : close;
    const std::string_view field = cut(text.substr(start, fieldEnd - start));
    PathField p{field, {}, close == std::string_view::npos ? text.size() : close + 1};
    constexpr std::string_view kParam = "<PARAM>";
    if (const std::size_t at = field.find(kParam); at != std::string_view::npos) {
        p.program = field.substr(0, at);
        p.arguments = field.substr(at + kParam.size());
    }
    return p;
}

Tag recognizeTag(std::string_view text, std::size_t pos) {
    const Keyword* k = matchKeyword(text, pos);
    if (k == nullptr) return {};
    const std::size_t after = pos + k->text.size();
    switch (k->kind) {
        case TagKind::Delay:
        case TagKind::Speed:
            return fixedTag(k, text, pos, 12, 7, 12);
        case TagKind::Msd:
            return fixedTag(k, text, pos, 9, 5, 9);
        case TagKind::SpKey:
        case TagKind::SpMse:
            return fixedTag(k, text, pos, 11, 7, 11);
        case TagKind::AltCode3:
        case TagKind::WheelForward:
        case TagKind::WheelBackward:
            return fixedTag(k, text, pos, 8, 5, 8);
        case TagKind::AltCode4:
            return fixedTag(k, text, pos, 10, 6, 10);
        case TagKind::Repeat:
            return fixedTag(k, text, pos, 12, 8, 12);
        case TagKind::MoveScreen:
        case TagKind::MoveWindow: {
            Tag t = fixedTag(k, text, pos, 16, 5, 10);
            if (t) t.b = text.substr(pos + 11, 5);
            return t;
        }
        case TagKind::PauseAt: {
            if (!fits(text, pos, 14)) return {};
            Tag t = freeTextTag(k, text, pos + 14);
            t.c = t.a;
            t.a = text.substr(pos + 7, 3);
            t.b = text.substr(pos + 11, 3);
            return t;
        }
        case TagKind::WindowSize:
        case TagKind::WindowPos: {
            const bool size = k->kind == TagKind::WindowSize;
            const std::size_t titleAt = size ? 16 : 15;
            if (!fits(text, pos, titleAt)) return {};
            Tag t = freeTextTag(k, text, pos + titleAt);
            t.c = t.a;
            t.a = text.substr(pos + (size ? 7 : 6), 4);
            t.b = text.substr(pos + (size ? 12 : 11), 4);
            return t;
        }
        case TagKind::Rem:
        case TagKind::WindowCommand:
        case TagKind::ClipFile:
        case TagKind::Swap:
        case TagKind::TFile:
        case TagKind::Http:
        case TagKind::Ftp:
        case TagKind::Wav1:
        case TagKind::Wav2:
        case TagKind::ChDir:
        case TagKind::DelFile:
        case TagKind::Activate:
            return freeTextTag(k, text, after);
        case TagKind::CopyFile:
        case TagKind::RenFile:
            return twoFileTag(k, text, after);
        case TagKind::Launch: {
            Tag t;
    t.keyword = k;
            const PathField p = readPathField(text, after);
            t.a = p.program;
            t.b = p.arguments;
            t.end = p.end;
            return t;
        }
        case TagKind::LaunchYes:
            return launchWaitTag(k, text, pos, 11);
        case TagKind::LaunchNo:
            return launchWaitTag(k, text, pos, 10);
        case TagKind::Date:
            return dateTag(k, text, pos);
        case TagKind::Time:
            return timeTag(k, text, pos);
        default:
            break;
    }
    Tag t;
    t.keyword = k;
    t.end = after;
    return t;
}

}  // namespace qln
