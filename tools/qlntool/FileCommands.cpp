#include "FileCommands.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "core/Win1252.h"
#include "platform/File.h"
#include "platform/SystemClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/MacroFile.h"
#include "store/MacroFileNames.h"
#include "store/MacroText.h"
#include "store/RecordCheck.h"

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

// A field of a record (Windows-1252) as UTF-8 that keeps its line and cannot steer the terminal: a backslash
// doubles, tab, line feed and carriage return become \t, \n and \r, and every other control character (C0,
// DEL, and the five bytes that Windows-1252 maps to C1 controls) becomes \xHH.
std::string printable(std::string_view field) {
    std::string out;
    for (const char c : field) {
        const char32_t ch = win1252ToCodePoint(static_cast<unsigned char>(c));
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (ch < 0x20 || (ch >= 0x7F && ch <= 0x9F)) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return win1252ToUtf8(out);
}

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
    MacroFile file(macros, clock, notices);
    try {
        file.load(path);
    } catch (const FileError& e) {
        return fail(e.what());
    }
    // The notice says what the application says; here the file and the reason follow.
    if (!file.problem().empty()) fail(file.problem());
    return notices.count == 0 && macros.count() == 4 ? 0 : 1;
}

int listCommand(std::span<const std::string_view> args) {
    if (args.size() != 1) {
        std::fputs("usage: qlntool list FILE.QLN\n", stderr);
        return 2;
    }
    const std::string path(args[0]);
    // At most a full set and one record more are read, whatever the size of the file.
    std::string bytes;
    std::uint64_t size = 0;
    try {
        const File file = File::open(path, FileAccess::Read);
        if (!file) return fail(file.failure().what());
        size = file.size();
        bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, (MaxMacros + 1) * record::Size)));
        bytes.resize(file.readAt(0, std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size())));
    } catch (const FileError& e) {
        return fail(e.what());
    }
    const std::size_t records = std::min<std::size_t>(bytes.size() / record::Size, MaxMacros);
    int problems = 0;
    for (std::size_t i = 0; i < records; ++i) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * record::Size;
        const std::span<const std::uint8_t, record::Size> raw(data, record::Size);
        const MacroRecord r = MacroRecord::decode(raw);
        const std::string n = std::to_string(i + 1);
        for (const RecordDamage& d : checkRecord(raw)) {
            fail(path + ": macro " + n + " is damaged: " + d.field + ": " + d.problem);
            ++problems;
        }
        const std::string activation =
            isHotKeyCode(r.hotKeyCode) ? activationText(r) : "hot key code " + std::to_string(r.hotKeyCode);
        const std::string line = n + "\t" + printable(activation) + "\t" + printable(r.nickname) + "\t" +
                                 printable(scopeText(r)) + "\t" + (r.active ? "active" : "inactive") + "\n";
        std::fputs(line.c_str(), stdout);
    }
    const std::uint64_t inFile = size / record::Size;
    if (inFile <= static_cast<std::uint64_t>(MaxMacros) && size % record::Size != 0) {
        fail(path + ": the file ends in a partial macro record of " + std::to_string(size % record::Size) + " bytes");
        ++problems;
    }
    if (inFile > static_cast<std::uint64_t>(MaxMacros)) {
        fail(path + ": the file holds " + std::to_string(inFile) + " macros, more than the 500 a set can have; " +
             "the first 500 are listed");
        ++problems;
    }
    return problems == 0 ? 0 : 1;
}

}  // namespace qln::tool
