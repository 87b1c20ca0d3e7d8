#pragma once

#include <string>

#include "playback/TagRecognizer.h"

namespace qln::test {

// A tag in words, its keyword and its named fields as the interpreter reads them:
// "<WPOS: x=-010 y=0020 title=Notepad".  Keeps tables of expected tags readable.
inline std::string describe(const Tag& t) {
    if (!t) return "no tag";
    std::string out(t.keyword->text);
    const auto field = [&out](const char* name, std::string_view value) {
        out += ' ';
        out += name;
        out += '=';
        out += value;
    };
    switch (t.kind()) {
        case TagKind::Delay:
            field("seconds", t.seconds());
            break;
        case TagKind::Speed:
            field("factor", t.factor());
            break;
        case TagKind::Msd:
        case TagKind::SpKey:
        case TagKind::SpMse:
            field("ms", t.milliseconds());
            break;
        case TagKind::AltCode3:
        case TagKind::AltCode4:
            field("digits", t.digits());
            break;
        case TagKind::WheelForward:
        case TagKind::WheelBackward:
            field("notches", t.notches());
            break;
        case TagKind::Repeat:
            field("count", t.count());
            break;
        case TagKind::MoveScreen:
        case TagKind::MoveWindow:
            field("x", t.x());
            field("y", t.y());
            break;
        case TagKind::WindowPos:
            field("x", t.x());
            field("y", t.y());
            field("title", t.title());
            break;
        case TagKind::WindowSize:
            field("width", t.width());
            field("height", t.height());
            field("title", t.title());
            break;
        case TagKind::PauseAt:
            field("top", t.top());
            field("left", t.left());
            field("message", t.message());
            break;
        case TagKind::WindowCommand:
        case TagKind::Activate:
            field("title", t.title());
            break;
        case TagKind::Rem:
            field("comment", t.comment());
            break;
        case TagKind::ClipFile:
        case TagKind::Swap:
        case TagKind::TFile:
        case TagKind::Wav1:
        case TagKind::Wav2:
        case TagKind::DelFile:
            field("file", t.file());
            break;
        case TagKind::ChDir:
            field("folder", t.folder());
            break;
        case TagKind::Http:
        case TagKind::Ftp:
            field("address", t.address());
            break;
        case TagKind::CopyFile:
        case TagKind::RenFile:
            field("source", t.source());
            if (t.hasTarget())
                field("target", t.target());
            else
                out += " no target";
            break;
        case TagKind::LaunchYes:
        case TagKind::LaunchNo:
            field("seconds", t.seconds());
            field("title", t.title());
            [[fallthrough]];
        case TagKind::Launch:
            field("program", t.program());
            field("arguments", t.arguments());
            break;
        case TagKind::Date:
            field("padded", t.padded() ? "Y" : "N");
            field("days", std::to_string(t.dayOffset()));
            break;
        case TagKind::Time:
            field("padded", t.padded() ? "Y" : "N");
            break;
        default:
            break;
    }
    return out;
}

}  // namespace qln::test
