// qlntool: Quillon's command-line companion.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FileCommands.h"
#include "PlayCommand.h"
#include "SimulateCommand.h"

namespace {
constexpr const char* kUsage =
    "usage: qlntool play [--screen WIDTHxHEIGHT] [--caps] [--start \"YYYY-MM-DD HH:MM:SS[.mmm]\"]\n"
    "                    [--answer WORD]... [--abort-at MS] [--desktop FILE.json] [--dump-desktop]\n"
    "                    [--x11 [--dry-run]]\n"
    "                    (--text TEXT | --file PATH)\n"
    "       qlntool simulate [--file FILE.QLN] SCENARIO\n"
    "       qlntool new FILE.QLN\n"
    "       qlntool list FILE.QLN\n";
}

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::string_view command = args[0];
    args.erase(args.begin());
    if (command == "play") return qln::tool::playCommand(args, kUsage);
    if (command == "simulate") return qln::tool::simulateCommand(args);
    if (command == "new") return qln::tool::newCommand(args);
    if (command == "list") return qln::tool::listCommand(args);
    std::fprintf(stderr, "qlntool: unknown command '%.*s'\n%s", static_cast<int>(command.size()), command.data(),
                 kUsage);
    return 2;
}
