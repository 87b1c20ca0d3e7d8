// Clipboard, files, launching, sounds and prompts on the simulated desktop and the real file system.
#include <gtest/gtest.h>

#include <filesystem>

#include "DesktopHarness.h"
#include "playback/RepeatPrompt.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

// Runs in a temporary folder, as macros' file tags act relative to the current folder.
class InFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(tmp.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    TempFolder tmp;

private:
    std::filesystem::path previous_;
};

TEST(Clipboard, BlockFillsTheClipboardAndTypesNothing) {
    DesktopHarness h;
    h.play("<BEGCLIP>Hello<ENDCLIP>");
    EXPECT_EQ(h.lines(), std::vector<std::string>{"clipboard \"Hello\""});
    EXPECT_EQ(h.desktop.clipboard().text(), "Hello");
}

TEST(Clipboard, UnclosedBlockTypesTheLastCharacterOnly) {
    DesktopHarness h;
    h.desktop.clipboard().preset("before");
    h.play("<BEGCLIP>Hello");
    EXPECT_EQ(h.typed(), "o");
    EXPECT_EQ(h.desktop.clipboard().text(), "before");
}

TEST_F(InFolder, ClipboardAndTextFileDropTheFinalCtrlZ) {
    tmp.write("abc.txt", "abc\x1A");
    tmp.write("mixed.txt", std::string("ab\0cd", 5));
    tmp.write("empty.txt", "");
    DesktopHarness h;
    h.play("<CLIPF:abc.txt>");
    EXPECT_EQ(h.desktop.clipboard().text(), "abc");
    h.play("<TFILE:abc.txt>");
    EXPECT_EQ(h.typed(), "abc");
    h.play("<CLIPF:mixed.txt>");
    EXPECT_EQ(h.desktop.clipboard().text(), "ab");
    h.play("<CLIPF:empty.txt>");
    EXPECT_EQ(h.desktop.clipboard().text(), "");
    h.play("<CLIPF:missing.txt><TFILE:missing.txt>z");
    EXPECT_EQ(h.typed(), "z");
}

TEST_F(InFolder, TextFileSharesTheDelaysOfItsMacro) {
    tmp.write("keys.txt", "ab");
    DesktopHarness h;
    h.play("<SPKEY:0100><TFILE:keys.txt>c");
    EXPECT_EQ(h.desktop.clock().tickCount(), 300u);
    EXPECT_EQ(h.typed(), "abc");
}

TEST_F(InFolder, CopyRenameDeleteAndChangeFolder) {
    tmp.write("a.txt", "alpha");
    std::filesystem::create_directory(tmp.file("sub"));
    DesktopHarness h;
    h.play("<COPYFILE:a.txt;b.txt>");
    EXPECT_EQ(tmp.read("b.txt"), "alpha");
    tmp.write("a.txt", "beta");
    h.play("<COPYFILE:a.txt;b.txt>");  // over an existing target
    EXPECT_EQ(tmp.read("b.txt"), "beta");
    h.play("<COPYFILE:a.txt>c.txt>");  // no ";": nothing is copied
    EXPECT_FALSE(std::filesystem::exists(tmp.file("c.txt")));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("a.txt>c.txt>")));
    h.play("<RENFILE:b.txt;sub/moved.txt>");
    EXPECT_EQ(tmp.read("sub/moved.txt"), "beta");
    h.play("<RENFILE:a.txt;sub/moved.txt>");  // never over an existing file
    EXPECT_EQ(tmp.read("sub/moved.txt"), "beta");
    EXPECT_TRUE(std::filesystem::exists(tmp.file("a.txt")));
    h.play("<DELFILE:a.txt><DELFILE:sub><DELFILE:nothing.txt>");
    EXPECT_FALSE(std::filesystem::exists(tmp.file("a.txt")));
    EXPECT_TRUE(std::filesystem::exists(tmp.file("sub")));
    h.play("<CHDIR:sub><COPYFILE:moved.txt;copy.txt><CHDIR:/no/such/folder>");
    EXPECT_EQ(tmp.read("sub/copy.txt"), "beta");
}

TEST_F(InFolder, FileNamesAreConvertedFromTheCodePage) {
    tmp.write("caf\xC3\xA9.txt", "x");  // UTF-8 on disk
    DesktopHarness h;
    h.play("<COPYFILE:caf\xE9.txt;copy.txt>");  // Windows-1252 in the macro
    EXPECT_EQ(tmp.read("copy.txt"), "x");
}

TEST(Launch, ProgramWithArgumentsDocumentsAndAddresses) {
    DesktopHarness h;
    h.play("<LAUNCH:notepad.exe<PARAM>c:\\readme.txt><LAUNCH:report.pdf><HTTP:www.example.com><FTP:ftp.example.com>"
           "<HTTP:>");
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"shell open \"notepad.exe\" \"c:\\\\readme.txt\"",
                                                   "shell open \"report.pdf\" \"\"",
                                                   "shell open \"www.example.com\" \"\"",
                                                   "shell open \"ftp.example.com\" \"\""}));
}

TEST(Sounds, BeepAndWaveFiles) {
    DesktopHarness h;
    h.play("<BEEP><WAV1:ding.wav><WAV2:chord.wav>");
    EXPECT_EQ(h.lines(),
              (std::vector<std::string>{"beep", "wave \"ding.wav\" wait", "wave \"chord.wav\" nowait"}));
}

TEST(Swap, AsksForTheOtherMacroFile) {
    DesktopHarness h;
    h.play("<SWAP:/data/OTHER.QLN>a");
    EXPECT_EQ(h.swapped, "/data/OTHER.QLN");
    EXPECT_EQ(h.typed(), "a");
}

struct PromptCase {
    const char* text;
    bool accepted;
    std::uint16_t count;
};

TEST(RepeatPrompt, ReadsTheCountOrRefuses) {
    const PromptCase cases[] = {{"12", true, 12},   {" 7 ", true, 7},  {"-1", true, 65535}, {"$A", true, 10},
                                {"1x", false, 0},   {"", false, 0},    {"  ", false, 0},    {"x", false, 0}};
    for (const PromptCase& c : cases) {
        EXPECT_EQ(!RepeatPrompt::check(c.text).has_value(), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(RepeatPrompt::count(c.text), c.count) << c.text;
        }
    }
    EXPECT_EQ(RepeatPrompt::check("1x"), "Invalid numeric value entered.  Please Correct");
}

TEST(RepeatPrompt, AsksUntilTheAnswerReadsAsANumber) {
    DesktopHarness h;
    h.desktop.prompts().addAnswer("1x");
    h.desktop.prompts().addAnswer("");
    h.desktop.prompts().addAnswer("3");
    h.play("<PROMPTREP>k<ENDREP>");
    EXPECT_EQ(h.typed(), "kkk");
    EXPECT_EQ(h.lines()[0], "app main-window hide");
    EXPECT_EQ(h.lines()[1], "prompt \"Macro Repeat\"");
    EXPECT_EQ(h.lines()[3], "message \"Error\" \"Invalid numeric value entered.  Please Correct\"");
}

// Prompts whose message window asks for a second message while it is open.
class NestingPrompts : public IPrompts {
public:
    bool showPause(const PauseDialogRequest&) override { return true; }
    void closePause(bool) override {}
    void showMessage(std::string_view caption, std::string_view) override {
        shown.emplace_back(caption);
        if (messages != nullptr) messages->DoAMessage("Second", "must not show");
    }
    std::string showRepeatPrompt(const std::function<std::optional<std::string>(std::string_view)>&) override {
        return "1";
    }
    OnTopMessage* messages = nullptr;
    std::vector<std::string> shown;
};

TEST(OnTopMessage, MessagesDoNotStack) {
    DesktopHarness h;
    NestingPrompts prompts;
    const Platform& p = h.platform;
    Platform nesting{p.input, p.layout, p.screen,    p.clock,     p.pump,      p.hook,  prompts,
                     p.app,   p.windows, p.timers,   p.processes, p.clipboard, p.shell, p.sound};
    OnTopMessage messages(nesting);
    prompts.messages = &messages;
    messages.DoAMessage("First", "shown");
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"First"});
    EXPECT_FALSE(messages.isOpen());
    messages.DoAMessage("Third", "shown again once the first is closed");
    EXPECT_EQ(prompts.shown.size(), 2u);
}

}  // namespace
}  // namespace qln::test
