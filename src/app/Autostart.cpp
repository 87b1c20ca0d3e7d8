#include "app/Autostart.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "app/Help.h"
#include "core/AtomicFile.h"
#include "core/FileError.h"

namespace qln {

namespace fs = std::filesystem;

namespace {

// The desktop entry rules: an argument with a blank or a character the shell would take is put in double
// quotes, inside which the quote, the backquote, the dollar and the backslash take a backslash; a percent sign
// is doubled everywhere, since "%f" and its kind are field codes.
std::string execArgument(std::string_view argument) {
    static constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string doubledPercents;
    for (const char c : argument) {
        doubledPercents += c;
        if (c == '%') doubledPercents += '%';
    }
    if (!doubledPercents.empty() && doubledPercents.find_first_of(reserved) == std::string::npos)
        return doubledPercents;
    std::string quoted = "\"";
    for (const char c : doubledPercents) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// A string value of a desktop entry: the backslash and the control characters a line cannot hold are escaped.
std::string entryValue(std::string_view text) {
    std::string value;
    for (const char c : text) {
        switch (c) {
            case '\\':
                value += "\\\\";
                break;
            case '\n':
                value += "\\n";
                break;
            case '\t':
                value += "\\t";
                break;
            case '\r':
                value += "\\r";
                break;
            default:
                value += c;
        }
    }
    return value;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// Whether the "[Desktop Entry]" group of an entry's text switches the entry off.
bool switchedOff(const std::string& text) {
    bool inEntryGroup = false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = trimmed(std::string_view(text).substr(at, end - at));
        at = end + 1;
        if (line.starts_with('[')) {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntryGroup || equals == std::string::npos) continue;
        const std::string key = trimmed(std::string_view(line).substr(0, equals));
        const std::string value = trimmed(std::string_view(line).substr(equals + 1));
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return true;
    }
    return false;
}

std::string configHome() {
    if (const char* v = std::getenv("XDG_CONFIG_HOME"); v != nullptr && v[0] == '/') return v;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] != 0 ? home : "/tmp") + "/.config";
}

}  // namespace

Autostart::Autostart(std::string folder) : folder_(std::move(folder)), entryPath_(folder_ + "/quillon.desktop") {}

Autostart Autostart::forThisUser() {
    return Autostart(configHome() + "/autostart");
}

std::string Autostart::entryText(const std::string& programPath, const std::vector<std::string>& arguments) {
    std::string exec = execArgument(programPath);
    for (const std::string& argument : arguments) exec += ' ' + execArgument(argument);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quillon\n"
           "Comment=Keyboard and mouse macros\n"
           "Exec=" +
           entryValue(exec) +
           "\n"
           "Icon=quillon\n"
           "Terminal=false\n";
}

bool Autostart::isOn() const {
    std::error_code ec;
    if (!fs::is_regular_file(entryPath_, ec)) return false;
    try {
        return !switchedOff(readWholeFile(entryPath_, 1 << 20));
    } catch (const FileError&) {
        return false;  // what we cannot read, the session cannot either
    }
}

void Autostart::switchOn(const std::string& programPath, const std::vector<std::string>& arguments) const {
    const std::string program = programPath.empty() ? thisProgramPath() : programPath;
    if (program.empty()) throw FileError(entryPath_, "this program's own file is not known");
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (!fs::is_directory(folder_))
        throw FileError(folder_, ec ? ec.message() : std::string("cannot be created: a file stands in its place"));
    replaceFileContent(entryPath_, entryText(program, arguments));
}

void Autostart::switchOff() const {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(entryPath_, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) throw FileError(entryPath_, ec.message());
    if (!fs::exists(status)) return;
    if (fs::is_directory(status)) throw FileError(entryPath_, "is a folder");
    if (!fs::remove(entryPath_, ec) && ec) throw FileError(entryPath_, ec.message());
}

}  // namespace qln
