// One macro that uses every tag of the language, played on one simulated desktop; the final state is checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "DesktopHarness.h"
#include "playback/DateTimeFormats.h"
#include "playback/Keywords.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

std::string everyTag() {
    std::string m =
        "<TAB><ENTER><RIGHTWIN><LEFTWIN><APP><BACKSPACE><ESC><SPACE><LEFT ARROW><RIGHT ARROW><UP ARROW>"
        "<DOWN ARROW><TEST><HOME><END><INSERT><DELETE><PAGE DOWN><PAGE UP><CTLD><CTLU><ALTD><ALTU><SHFD><SHFU>"
        "<WIND><WINU><RIGHT MOUSE><MIDDLE MOUSE><PAUSE:010,020Checkpoint><PAUSE><DELAY:00.10><SPEED:00001>"
        "<MSD:0010><REM:a comment><WSHUT:Scratch><WHIDE:Calculator><WSHOW:Calculator>"
        "<WSIZE:0300,0200Calculator><WPOS:0050,0060Calculator><ALT:065><ALT4:0233>"
        "<REPEAT:0002><IIII><III><II><I><ENDREP><CLIPF:clip.txt><CLIPC><CLIPP><BEGCLIP>final clip<ENDCLIP>"
        "<PROMPTREP>p<ENDREP><SPKEY:0001><SPMSE:0001><SWAP:OTHER.QLN><TFILE:more.txt>"
        "<HTTP:www.example.com><FTP:ftp.example.com><LDN><LUP><LCLK><LDCLK><RDN><RUP><RCLK><RDCLK><MDN><MUP>"
        "<MCLK><MDCLK><WFW:001><WBW:001><MMS:00010,00010><MMW:00010,00010>";
    for (int f = 1; f <= 24; ++f) m += "<F" + std::to_string(f) + ">";
    m += "<SHIFT>a<CTRL>b<ALT>c<ATTN><CRSEL><EXSEL><EREOF><PLAY><ZOOM><WAV1:a.wav><WAV2:b.wav><BEEP><CHDIR:sub>"
         "<DELFILE:gone.txt><COPYFILE:src.txt;dst.txt><RENFILE:old.txt;new.txt><ACTIVATE:Calculator>"
         "<LAUNCH:notepad.exe<PARAM>x.txt><LAUNCHNO:00Paint<LAUNCH:mspaint.exe>"
         "<LAUNCHYES:00Paint<LAUNCH:mspaint.exe><PA1><PRTSCR><KEYP0><KEYP1><KEYP2><KEYP3><KEYP4><KEYP5><KEYP6>"
         "<KEYP7><KEYP8><KEYP9><KEYP*><KEYP+><KEYP-><KEYP.><KEYP/><WMAX:Paint><WMIN:Paint><WRES:Paint>"
         "<WCLS:Paint>";
    for (std::string_view name : dateFormatNames()) m += "<" + std::string(name) + "{YP001}>";
    for (std::string_view name : timeFormatNames()) m += "<" + std::string(name) + "{N}><" + std::string(name) + "{Y}>";
    return m;
}

TEST(EveryTag, TheMacroUsesEveryKeyword) {
    const std::string m = everyTag();
    for (const Keyword& k : keywordsInOrder()) EXPECT_NE(m.find(k.text), std::string::npos) << k.text;
}

TEST(EveryTag, PlaysToTheExpectedDesktop) {
    TempFolder tmp;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(tmp.path());
    std::filesystem::create_directory("sub");
    tmp.write("clip.txt", "from a file\x1A");
    tmp.write("more.txt", "<TAB>more");
    tmp.write("sub/gone.txt", "x");
    tmp.write("sub/src.txt", "source");
    tmp.write("sub/old.txt", "old");

    DesktopHarness h;
    const WindowHandle calc = h.addWindow("Calculator", "CALC.EXE", {500, 500, 700, 800});
    h.addWindow("Scratch", "SCRATCH.EXE");
    h.desktop.shell().addLaunchable({"mspaint.exe", "untitled - Paint", 1000});
    h.desktop.prompts().addAnswer("resume");
    h.desktop.prompts().addAnswer("resume");
    h.desktop.prompts().addAnswer("2");
    h.play(everyTag());
    std::filesystem::current_path(previous);

    const auto lines = h.lines();
    // Every "<" was a tag: none was typed (Shift and the comma key make "<").
    for (std::size_t i = 1; i < lines.size(); ++i)
        ASSERT_FALSE(lines[i - 1] == "key 16 down" && lines[i] == "key 188 down") << "a tag was typed as text";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "answer resume"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "shell open \"mspaint.exe\" \"\""), 1);

    const auto& windows = h.desktop.windows();
    EXPECT_EQ(windows.find(18), nullptr);  // Scratch quit
    ASSERT_NE(windows.find(calc), nullptr);
    EXPECT_EQ(windows.windowRect(calc), (Rect{50, 60, 350, 260}));
    EXPECT_FALSE(windows.find(calc)->hidden);
    EXPECT_EQ(windows.findWindow("untitled - Paint"), 0u);  // closed at the end
    EXPECT_EQ(windows.foregroundWindow(), calc);
    EXPECT_EQ(h.desktop.clipboard().text(), "final clip");
    EXPECT_EQ(h.swapped, "OTHER.QLN");
    EXPECT_FALSE(std::filesystem::exists(tmp.file("sub/gone.txt")));
    EXPECT_EQ(tmp.read("sub/dst.txt"), "source");
    EXPECT_EQ(tmp.read("sub/new.txt"), "old");
    EXPECT_FALSE(std::filesystem::exists(tmp.file("sub/old.txt")));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "shell open \"notepad.exe\" \"x.txt\""), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "wave \"a.wav\" wait"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "beep"), lines.end());
}

}  // namespace
}  // namespace qln::test
