#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qln {

// Splits an argument string as Windows programs split their command line: blanks separate arguments, double
// quotes group blanks into one, a quote preceded by 2n backslashes gives n backslashes and opens or closes a
// group, by 2n+1 backslashes n backslashes and a literal quote; other backslashes are literal.  Inside a group,
// "" gives one literal quote.
std::vector<std::string> splitArguments(std::string_view commandLine);

// A program file found by name: as given when the name holds a "/", otherwise through the folders of `path`
// (the PATH variable).  Only executable regular files count.  Empty when none.
std::string findProgram(std::string_view name, std::string_view path);

// The folders programs are looked for in: the PATH variable, or the usual ones when it is unset.
std::string programSearchPath();

// What the desktop's "open" does with a target (UTF-8): start a program directly with the arguments, or hand
// documents, folders and addresses to the desktop's opener.
struct OpenPlan {
    bool program = false;            // true: start `file` with `arguments`; false: let the opener open `file`
    std::string file;
    std::vector<std::string> arguments;
};
OpenPlan planOpen(std::string_view target, std::string_view arguments, std::string_view path);

}  // namespace qln
