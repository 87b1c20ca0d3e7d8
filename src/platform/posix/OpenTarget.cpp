#include "platform/posix/OpenTarget.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace qln {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && startsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// "scheme://...", "mailto:..." and the like.
bool isAddress(std::string_view target) {
    if (startsWithNoCase(target, "mailto:") || startsWithNoCase(target, "file:")) return true;
    const auto colon = target.find("://");
    if (colon == std::string_view::npos || colon == 0) return false;
    return std::all_of(target.begin(), target.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
    });
}

bool isProgramFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> splitArguments(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i == line.size()) break;
        std::string arg;
        bool quoted = false;
        for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
            const char c = line[i];
            if (c == '\\') {
                std::size_t n = 0;
                while (i + n < line.size() && line[i + n] == '\\') ++n;
                if (i + n < line.size() && line[i + n] == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1) {
                        arg += '"';
                        i += n;  // the escaped quote
                    } else {
                        i += n - 1;  // the quote is read next round
                    }
                } else {
                    arg.append(n, '\\');
                    i += n - 1;
                }
            } else if (c == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else {
                arg += c;
            }
        }
        out.push_back(std::move(arg));
    }
    return out;
}

std::string findProgram(std::string_view name, std::string_view path) {
    if (name.empty()) return {};
    if (name.find('/') != std::string_view::npos) {
        const std::filesystem::path file(name);
        return isProgramFile(file) ? std::filesystem::absolute(file).string() : std::string();
    }
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        // An empty entry is the current folder, as the shell has it.
        const std::filesystem::path folder(end == start ? std::string_view(".") : path.substr(start, end - start));
        const auto file = folder / name;
        if (isProgramFile(file)) return std::filesystem::absolute(file).string();
        start = end + 1;
    }
    return {};
}

std::string programSearchPath() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

OpenPlan planOpen(std::string_view target, std::string_view arguments, std::string_view path) {
    if (startsWithNoCase(target, "www.")) return {false, "http://" + std::string(target), {}};
    if (isAddress(target)) return {false, std::string(target), {}};
    std::string program = findProgram(target, path);
    // Macros written for another desktop name their programs with ".exe".
    if (program.empty() && endsWithNoCase(target, ".exe"))
        program = findProgram(target.substr(0, target.size() - 4), path);
    if (!program.empty()) return {true, program, splitArguments(arguments)};
    // Documents, folders, and whatever the opener may know better.
    return {false, std::string(target), {}};
}

}  // namespace qln
