// Macro text split as the interpreter reads it: exact tokens for the awkward cases, and text rebuilt from the
// tokens equal to the text for corpus-like, generated, damaged and cut texts.
#include <gtest/gtest.h>

#include <random>

#include "TokenListing.h"
#include "playback/MacroTokens.h"

namespace qln::test {
namespace {

struct ListCase {
    std::string text;
    std::vector<std::string> tokens;
};

class ExactTokens : public ::testing::TestWithParam<ListCase> {};

TEST_P(ExactTokens, AreListed) {
    EXPECT_EQ(listing(GetParam().text), GetParam().tokens) << GetParam().text;
}

using L = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Playback, ExactTokens,
    ::testing::Values(
        // Line ends: only CR LF is one Enter.
        ListCase{"abc\r\ndef", L{"'abc' 0-3", "CRLF 3-5", "'def' 5-8"}}, ListCase{"a\nb\rc\r", L{"'a\\nb\\rc\\r' 0-6"}},
        ListCase{"\r\r\n\n", L{"'\\r' 0-1", "CRLF 1-3", "'\\n' 3-4"}},
        // No tag: case, a misplaced or missing ">", a text cut inside the fields.
        ListCase{"<enter>", L{"<? 0-1", "'enter>' 1-7"}}, ListCase{"<DELAY:1.5>x", L{"<? 0-1", "'DELAY:1.5>x' 1-12"}},
        ListCase{"<DELAY:001.5", L{"<? 0-1", "'DELAY:001.5' 1-12"}}, ListCase{"<<TAB>", L{"<? 0-1", "<TAB> 1-6"}},
        // Only the ">" at the fixed offset counts: one inside the field is part of it.
        ListCase{"<MMS:00100,0200>>", L{"<MMS: x=00100 y=0200> 0-17"}},
        // Launch waits: title up to "<", eight characters skipped unchecked, then the path.
        ListCase{"<LAUNCHYES:05Notepad<LAUNCH:notepad.exe<PARAM>c:\\a.txt>x",
                 L{"<LAUNCHYES: seconds=05 title=Notepad program=notepad.exe arguments=c:\\a.txt 0-55", "'x' 55-56"}},
        ListCase{"<LAUNCHNO:10Calc<XXXXXXXcalc.exe>",
                 L{"<LAUNCHNO: seconds=10 title=Calc program=calc.exe arguments= 0-33"}},
        ListCase{"<LAUNCH:a<PARAMETER>b>c", L{"<LAUNCH: program=a<PARAMETER>b arguments= 0-22", "'c' 22-23"}},
        // Copy without ";": the source runs to the end.
        ListCase{"<COPYFILE:a.txt>b<TAB>", L{"<COPYFILE: source=a.txt>b<TAB> no target 0-22"}},
        ListCase{"<COPYFILE:a;b>c;d>", L{"<COPYFILE: source=a target=b 0-14", "'c;d>' 14-18"}},
        // Dates: the character two after the flag decides the form; the offset form checks nothing after it.
        ListCase{"<MM/DD/YY{YF001}>x", L{"<MM/DD/YY{ padded=Y days=1 0-17", "'x' 17-18"}},
        ListCase{"<DD{NP365}><DD{N}>", L{"<DD{ padded=N days=-365 0-11", "<DD{ padded=N days=0 11-18"}},
        ListCase{"<DD{N}xyz12>", L{"<DD{ padded=N days=0 0-11", "'>' 11-12"}},
        ListCase{"<DD{Y}", L{"<? 0-1", "'DD{Y}' 1-6"}},
        // Clipboard blocks; without "<ENDCLIP>" the last character is read on its own.
        ListCase{"<BEGCLIP>Hi<TAB><ENDCLIP>x", L{"<BEGCLIP> clip=Hi<TAB> 0-16", "<ENDCLIP> 16-25", "'x' 25-26"}},
        ListCase{"<BEGCLIP>Hello", L{"<BEGCLIP> open=Hell 0-13", "'o' 13-14"}},
        ListCase{"<BEGCLIP>x<", L{"<BEGCLIP> open=x 0-10", "<? 10-11"}},
        ListCase{"ab<BEGCLIP>", L{"'ab' 0-2", "<BEGCLIP> open= 2-11", "again '>' 10-11"}},
        // Repeat bodies are read inline by the last pass, where a field may run past the "<ENDREP>".
        ListCase{"<REPEAT:0002>a<REM:x<ENDREP>b",
                 L{"<REPEAT: count=0002 body=a<REM:x 0-13", "'a' 13-14", "<REM: comment=x<ENDREP 14-28", "'b' 28-29"}},
        ListCase{"<PROMPTREP>x", L{"<PROMPTREP> open= 0-11", "'x' 11-12"}}));

TEST(TagParts, KeepWhatTheInterpreterSkips) {
    const Tag wait = recognizeTag("<LAUNCHNO:10Calc<XXXXXXXcalc.exe>", 0);
    EXPECT_EQ(wait.parts.skipped, "<XXXXXXX");
    const Tag move = recognizeTag("<MMW:00010;00020>", 0);
    EXPECT_EQ(move.parts.separator, ";");
    const Tag date = recognizeTag("<DD{NX012xx", 0);
    EXPECT_EQ(date.parts.separator, "X");
    EXPECT_EQ(date.parts.close, "xx");
    const std::string longTitle(300, 't');
    const std::string text = "<WMIN:" + longTitle;
    const Tag cut = recognizeTag(text, 0);
    EXPECT_EQ(cut.title().size(), 255u);
    EXPECT_EQ(cut.parts.title, longTitle);
    EXPECT_EQ(cut.parts.close, "");
    EXPECT_EQ(renderTag(cut), text);
}

// Every token starts where the one before ended (a character read twice excepted), holds exactly its stretch
// of the text, and rendering gives the text back.
::testing::AssertionResult faithful(std::string_view text) {
    std::string rendered;
    std::size_t at = 0;
    for (const MacroToken& t : MacroTokens(text)) {
        const std::string_view span = text.substr(t.begin, t.end - t.begin);
        bool ok = t.begin < t.end && t.end <= text.size();
        if (t.reread)
            ok = ok && t.kind == TokenKind::Character && t.end == at && t.end == text.size();
        else
            ok = ok && t.begin == at;
        switch (t.kind) {
            case TokenKind::Character:
                ok = ok && span.size() == 1 && span != "<" && !span.starts_with("\r\n") &&
                     !(span == "\r" && text.substr(t.end).starts_with("\n"));
                break;
            case TokenKind::Enter:
                ok = ok && span == "\r\n";
                break;
            case TokenKind::OpenAngle:
                ok = ok && span == "<" && !recognizeTag(text, t.begin);
                break;
            case TokenKind::Tag:
                ok = ok && renderTag(t.tag) == text.substr(t.begin, t.tag.end - t.begin) &&
                     t.body.size() <= text.size() &&
                     (t.tag.kind() == TagKind::BegClip ? t.tag.end + t.body.size() == t.end : t.tag.end == t.end);
                if (t.closed && t.tag.kind() != TagKind::BegClip) ok = ok && faithful(t.body);
                break;
        }
        if (t.kind != TokenKind::Tag) ok = ok && t.chars == span;
        if (!ok) return ::testing::AssertionFailure() << "token at " << t.begin << " of \"" << escaped(text) << '"';
        appendToken(rendered, t);
        at = t.end;
    }
    if (at != text.size() || rendered != text || render(tokenize(text)) != text)
        return ::testing::AssertionFailure()
               << "rendered \"" << escaped(rendered) << "\" from \"" << escaped(text) << '"';
    return ::testing::AssertionSuccess();
}

// Macros shaped as the recorder and the editor write them, with a few hand-edited ones.
const std::vector<std::string>& corpus() {
    static const std::vector<std::string> texts = {
        "Dear Sir,\r\n\r\nThank you for your letter of <MM/DD/YY{N}>.\r\n<TAB>Regards<ENTER>",
        "<ACTIVATE:Untitled - Notepad><CTLD>a<CTLU><DELETE><SPKEY:0010>Hello, world<ENTER><hh:mm am{Y}>",
        "<LAUNCHYES:05Calculator<LAUNCH:calc.exe><DELAY:00.50><KEYP7><KEYP+><KEYP3><ENTER><CLIPC><WMIN:Calc>",
        "<REPEAT:0010>Line <III><ENTER><ENDREP><BEGCLIP>clip text\r\nsecond line<ENDCLIP><CLIPP>",
        "<MMS:00100,00200><LCLK><MSD:0250><MMW:00010,00010><RDCLK><WFW:003><WBW:001><SPMSE:0005><MDN><MUP>",
        "<PAUSE:010,020Check the printer><WSIZE:0640,0480\"CURRENT\"><WPOS:0000,0000Notepad><WSHUT:Paint>",
        "<COPYFILE:c:\\a.txt;d:\\b.txt><RENFILE:x;y><DELFILE:z.tmp><CHDIR:c:\\work><TFILE:more.txt><SWAP:B.QLN>",
        "<HTTP:www.example.com><FTP:ftp.example.com><WAV1:ding.wav><WAV2:bg.wav><BEEP><REM:done> <TEST>",
        "<LAUNCH:notepad.exe<PARAM>c:\\readme.txt><PROMPTREP><I>,<ENDREP><ALT:065><ALT4:0233><SHIFT>a<ALT>b",
        "<Day of Week 3{NP001}>, <DD Mmmmm YYYY{YF030}> at <hh:mm:ss{N}>\n<F5><F24><PRTSCR><SPEED:00.50>",
        "Price: 5 < 7 > 3; <B>bold</B> <ENTER <TAB<DELAY:1.5> <REM:unclosed comment runs to the end",
    };
    return texts;
}

TEST(RoundTrip, CorpusAndEveryCutOfIt) {
    for (const std::string& text : corpus())
        for (std::size_t n = 0; n <= text.size(); ++n) ASSERT_TRUE(faithful(std::string_view(text).substr(0, n)));
}

TEST(RoundTrip, RandomBytes) {
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        std::string text(rng() % 120, '\0');
        for (char& c : text) c = static_cast<char>(rng() % 5 == 0 ? "<>\r\n;"[rng() % 5] : rng() % 256);
        ASSERT_TRUE(faithful(text));
    }
}

// Keywords whole and in part, with ">" and "<" at the offsets where fixed layouts look for them.
std::string mixture(std::mt19937& rng) {
    static const std::vector<std::string_view> extras = {"<PARAM>", "<LAUNCH:", "<ENDCLIP>", "<ENDREP>", ";",
                                                         "\r\n",    "\r",       "\n",        "{N}>",     "}>"};
    const auto all = keywordsInOrder();
    std::string text;
    const int pieces = 1 + static_cast<int>(rng() % 12);
    for (int p = 0; p < pieces; ++p) {
        const std::string_view kw = all[rng() % all.size()].text;
        switch (rng() % 6) {
            case 0:
                text += kw.substr(0, 1 + rng() % kw.size());  // partial keyword
                break;
            case 1:
                text += extras[rng() % extras.size()];
                break;
            case 2:
                text += std::string(rng() % 300, "0123 ,.xF"[rng() % 9]);
                break;
            default: {
                // A keyword, a stretch of field characters, and a ">" or "<" near the fixed closing offsets.
                text += kw;
                const std::size_t width = rng() % 12;
                for (std::size_t i = 0; i < width; ++i) text += "0123456789,;.-$YNFP}"[rng() % 20];
                text += "><"[rng() % 2];
                break;
            }
        }
    }
    return text;
}

TEST(RoundTrip, GeneratedMixturesAndTheirCuts) {
    std::mt19937 rng(2024);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = mixture(rng);
        ASSERT_TRUE(faithful(text));
        ASSERT_TRUE(faithful(std::string_view(text).substr(0, rng() % (text.size() + 1))));
    }
}

TEST(Tokens, EmptyTextHasNone) {
    EXPECT_TRUE(tokenize("").empty());
}

}  // namespace
}  // namespace qln::test
