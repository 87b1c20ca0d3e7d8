#pragma once

#include <cstddef>
#include <string_view>

#include "playback/Keywords.h"

namespace qln {

// One tag as it stands in the macro text, with its parameter fields cut out but not yet read.
struct Tag {
    const Keyword* keyword = nullptr;  // nullptr: the "<" is not a tag and is typed as a character
    std::size_t end = 0;               // index just past the tag
    // Fields, by kind: numeric field texts first, then free texts.
    //   PauseAt: a top, b left, c message.  WindowSize/WindowPos: a, b numbers, c title.
    //   Delay, Speed, Msd, SpKey, SpMse, AltCode*, Repeat, Wheel*: a.  MoveScreen/MoveWindow: a x, b y.
    //   free-text tags: a.  CopyFile/RenFile: a source, b target.  Launch: a program, b arguments.
    //   LaunchYes/LaunchNo: d seconds, c title, a program, b arguments.
    std::string_view a, b, c, d;
    bool separatorFound = true;  // CopyFile/RenFile: false when no ";" followed
    bool pad = false;            // Date/Time: flag "Y"
    long dayOffset = 0;          // Date: signed day offset

    explicit operator bool() const { return keyword != nullptr; }
    TagKind kind() const { return keyword->kind; }
};

// Recognises the tag at `pos`, where text[pos] is "<".  A keyword whose fixed layout does not hold (a ">" in the
// wrong place, fields running past the end of the text) is no tag.
Tag recognizeTag(std::string_view text, std::size_t pos);

// A program path field: the path, optionally "<PARAM>" and arguments; the field runs past the ">" of "<PARAM>".
struct PathField {
    std::string_view program;
    std::string_view arguments;
    std::size_t end;  // just past the closing ">" (the text's size when there is none)
};
PathField readPathField(std::string_view text, std::size_t start);

}  // namespace qln
