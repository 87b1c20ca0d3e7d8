#include "FileCommands.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "core/Win1252.h"
#include "platform/SystemClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/MacroFile.h"
#include "store/MacroFileNames.h"
#include "store/MacroText.h"

namespace qln::tool {

namespace {

class PrintNotices : public INotices {
public:
    void notice(std::string_view caption, std::string_view text) override {
        std::fprintf(stderr, "qlntool: %.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        ++count;
    }
    int count = 0;
};

int fail(const std::string& message) {
    std::fprintf(stderr, "qlntool: %s\n", message.c_str());
    return 1;
}

}  // namespace

int newCommand(std::span<const std::string_view> args) {
    if (args.size() != 1) {
        std::fputs("usage: qlntool new FILE.QLN\n", stderr);
        return 2;
    }
    const std::string path(args[0]);
    if (!isMacroFileName(path)) return fail(path + ": a macro file's name ends in .QLN");
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return fail(path + ": the file already exists; it was left as it is");
    SystemClock clock;
    sim::SimHookLibrary hook;
    TriggerTable table;
    MacroNames names;
    MacroTable macros(table, names, hook);
    PrintNotices notices;
    try {
        MacroFile(macros, clock, notices).load(path);
    } catch (const FileError& e) {
        return fail(e.what());
    }
    return notices.count == 0 && macros.count() == 4 ? 0 : 1;
}

int listCommand(std::span<const std::string_view> args) {
    if (args.size() != 1) {
        std::fputs("usage: qlntool list FILE.QLN\n", stderr);
        return 2;
    }
    const std::string path(args[0]);
    std::string bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const FileError& e) {
        return fail(e.what());
    }
    const std::size_t records = bytes.size() / record::Size;
    int problems = 0;
    for (std::size_t i = 0; i < records; ++i) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * record::Size;
        const MacroRecord r = MacroRecord::decode(std::span<const std::uint8_t, record::Size>(data, record::Size));
        const int n = static_cast<int>(i + 1);
        if (r.scope < ScopeGlobal || r.scope > ScopeSystem) {
            fail(path + ": macro " + std::to_string(n) + " is damaged: its scope kind is " + std::to_string(r.scope));
            ++problems;
            continue;
        }
        const std::string line = std::to_string(n) + "\t" + activationText(r) + "\t" + r.nickname + "\t" +
                                 scopeText(r) + "\t" + (r.active ? "active" : "inactive") + "\n";
        std::fputs(win1252ToUtf8(line).c_str(), stdout);
    }
    if (bytes.size() % record::Size != 0) {
        fail(path + ": the file ends in a partial macro record of " + std::to_string(bytes.size() % record::Size) +
             " bytes");
        ++problems;
    }
    if (records > static_cast<std::size_t>(MaxMacros)) {
        fail(path + ": the file holds " + std::to_string(records) + " macros, more than the 500 a set can have");
        ++problems;
    }
    return problems == 0 ? 0 : 1;
}

}  // namespace qln::tool
