// The interpreter and the tokens read a text alike: what the interpreter hands to the effects is what the
// tokens' fields say, for generated texts dense with such tags, damaged and cut ones included.
#include <gtest/gtest.h>

#include <random>

#include "PlaybackHarness.h"
#include "TokenListing.h"
#include "playback/FieldReader.h"
#include "playback/MacroTokens.h"

namespace qln::test {
namespace {

// The calls the tokens announce, in the notation of RecordingEffects.
std::vector<std::string> announcedCalls(std::string_view text) {
    std::vector<std::string> calls;
    const auto note = [&calls](const std::string& what, std::string_view a, std::string_view b = {},
                               std::string_view c = {}, int n = 1) {
        std::string line = what + " [" + std::string(a);
        if (n > 1) line += "|" + std::string(b);
        if (n > 2) line += "|" + std::string(c);
        calls.push_back(line + "]");
    };
    const auto num = [](std::string_view field) { return std::to_string(readIntField(field).value); };
    for (const MacroToken& t : MacroTokens(text)) {
        if (t.kind != TokenKind::Tag) continue;
        const Tag& g = t.tag;
        switch (g.kind()) {
            case TagKind::Activate:
                if (!g.title().empty()) note("activate", g.title());
                break;
            case TagKind::WindowCommand:
                note("window" + std::to_string(g.keyword->value), g.title());
                break;
            case TagKind::WindowSize:
                note("size " + num(g.width()) + "x" + num(g.height()), g.title());
                break;
            case TagKind::WindowPos:
                note("move " + num(g.x()) + "," + num(g.y()), g.title());
                break;
            case TagKind::Launch:
                note("launch", g.program(), g.arguments(), {}, 2);
                break;
            case TagKind::LaunchYes:
            case TagKind::LaunchNo:
                note(std::string(g.kind() == TagKind::LaunchYes ? "launchyes " : "launchno ") + num(g.seconds()),
                     g.title(), g.program(), g.arguments(), 3);
                break;
            case TagKind::Http:
            case TagKind::Ftp:
                note("open", g.address());
                break;
            case TagKind::BegClip:
                if (t.closed) note("clip", t.body);
                break;
            case TagKind::ClipFile:
            case TagKind::TFile:
                note("read", g.file());
                break;
            case TagKind::CopyFile:
            case TagKind::RenFile:
                if (g.hasTarget())
                    note(g.kind() == TagKind::CopyFile ? "copy" : "rename", g.source(), g.target(), {}, 2);
                break;
            case TagKind::Swap:
                note("swap", g.file());
                break;
            case TagKind::Wav1:
            case TagKind::Wav2:
                note(g.kind() == TagKind::Wav1 ? "wav1" : "wav2", g.file());
                break;
            default:
                break;
        }
    }
    return calls;
}

// Tags with effects and the pieces that derail a reader: partial keywords, stray "<" and ">", ";", "<PARAM>".
std::string effectText(std::mt19937& rng) {
    static const std::vector<std::string_view> keywords = {
        "<ACTIVATE:", "<WSHUT:", "<WMAX:",    "<WSIZE:",   "<WPOS:",  "<LAUNCH:", "<LAUNCHYES:", "<LAUNCHNO:",
        "<HTTP:",     "<FTP:",   "<BEGCLIP>", "<ENDCLIP>", "<CLIPF:", "<TFILE:",  "<COPYFILE:",  "<RENFILE:",
        "<SWAP:",     "<WAV1:",  "<WAV2:",    "<REM:",     "<TAB>",   "<PARAM>",  "\r\n",        "<"};
    std::string text;
    const int pieces = 1 + static_cast<int>(rng() % 10);
    for (int p = 0; p < pieces; ++p) {
        const std::string_view kw = keywords[rng() % keywords.size()];
        text += rng() % 5 == 0 ? kw.substr(0, 1 + rng() % kw.size()) : kw;
        const std::size_t width = rng() % 14;
        for (std::size_t i = 0; i < width; ++i) text += "0123456789,;>ab -"[rng() % 17];
    }
    return text;
}

TEST(TokensAndInterpreter, HandTheSameFieldsToTheEffects) {
    std::mt19937 rng(99);
    for (int i = 0; i < 1500; ++i) {
        std::string text = effectText(rng);
        if (i % 3 == 0) text.resize(rng() % (text.size() + 1));
        Harness h;
        h.play(text);
        ASSERT_EQ(h.effects.calls, announcedCalls(text)) << escaped(text);
    }
}

}  // namespace
}  // namespace qln::test
