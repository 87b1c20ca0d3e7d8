#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "playback/FieldReader.h"
#include "playback/Keywords.h"

namespace qln {

// The text of a tag after its keyword, cut into consecutive parts exactly as it stands, nothing cut off.  A kind
// uses only some of the parts; the others stay empty, so the keyword followed by every part, in this order,
// gives back the whole tag (see renderTag).
struct TagParts {
    std::string_view first;      // first fixed field; the flag of a date or time
    std::string_view separator;  // unchecked character between two fixed fields; a date's direction (or the
                                 // unchecked character before the ">" of its short form)
    std::string_view second;     // second fixed field; a date's day count
    std::string_view title;      // window title
    std::string_view skipped;    // launch waits: the eight characters taken for "<LAUNCH:" (fewer at the end)
    std::string_view text;       // free text: message, comment, file, folder, address, copy source, program
    std::string_view divider;    // ";" of a copy or rename, "<PARAM>" of a program path
    std::string_view text2;      // copy target, program arguments
    std::string_view close;      // ">" (empty when a free text runs to the end); "}>" of a time; the two
                                 // unchecked closing characters of a date with a day offset

    std::array<std::string_view, 9> inOrder() const {
        return {first, separator, second, title, skipped, text, divider, text2, close};
    }
};

// One tag as it stands in the macro text, with its parameter fields cut out but not yet read.  Fixed fields are
// handed out as their text, to be read with FieldReader; free texts as the interpreter uses them, cut to their
// first 255 characters (the parts keep them whole).
struct Tag {
    const Keyword* keyword = nullptr;  // nullptr: the "<" is not a tag and is typed as a character
    std::size_t end = 0;               // index just past the tag
    TagParts parts;

    explicit operator bool() const { return keyword != nullptr; }
    TagKind kind() const { return keyword->kind; }

    // Fixed fields, by kind.  Delay: seconds (real); LaunchYes, LaunchNo: seconds (integer); Speed: factor;
    // Msd, SpKey, SpMse: milliseconds; AltCode3, AltCode4: digits, passed as they stand; WheelForward,
    // WheelBackward: notches; Repeat: count; MoveScreen, MoveWindow, WindowPos: x, y; WindowSize: width, height;
    // PauseAt: top, left.
    std::string_view seconds() const { return parts.first; }
    std::string_view factor() const { return parts.first; }
    std::string_view milliseconds() const { return parts.first; }
    std::string_view digits() const { return parts.first; }
    std::string_view notches() const { return parts.first; }
    std::string_view count() const { return parts.first; }
    std::string_view x() const { return parts.first; }
    std::string_view y() const { return parts.second; }
    std::string_view width() const { return parts.first; }
    std::string_view height() const { return parts.second; }
    std::string_view top() const { return parts.first; }
    std::string_view left() const { return parts.second; }

    // Free texts, by kind.  Window commands, WindowSize, WindowPos, Activate, LaunchYes, LaunchNo: title;
    // PauseAt: message; Rem: comment; ClipFile, TFile, Swap, Wav1, Wav2, DelFile: file; ChDir: folder; Http, Ftp:
    // address; CopyFile, RenFile: source and target (hasTarget is false when no ";" followed and the source ran
    // to the end); Launch, LaunchYes, LaunchNo: program and arguments, cut as one field with the "<PARAM>".
    std::string_view title() const { return cut(parts.title); }
    std::string_view message() const { return cut(parts.text); }
    std::string_view comment() const { return cut(parts.text); }
    std::string_view file() const { return cut(parts.text); }
    std::string_view folder() const { return cut(parts.text); }
    std::string_view address() const { return cut(parts.text); }
    std::string_view source() const { return cut(parts.text); }
    std::string_view target() const { return cut(parts.text2); }
    bool hasTarget() const { return !parts.divider.empty(); }
    std::string_view program() const { return cut(parts.text); }
    std::string_view arguments() const {
        const std::size_t used = parts.text.size() + parts.divider.size();
        return used < kMaxFreeText ? parts.text2.substr(0, kMaxFreeText - used) : std::string_view();
    }

    // Date and Time.
    bool padded() const { return parts.first == "Y"; }
    long dayOffset() const;  // Date: signed; 0 in the short form

private:
    static std::string_view cut(std::string_view s) { return s.substr(0, kMaxFreeText); }
};

// Recognises the tag at `pos`, where text[pos] is "<".  A keyword whose fixed layout does not hold (a ">" in the
// wrong place, fields running past the end of the text) is no tag.
Tag recognizeTag(std::string_view text, std::size_t pos);

}  // namespace qln
