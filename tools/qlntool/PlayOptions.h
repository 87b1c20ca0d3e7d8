#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Types.h"

namespace qln::tool {

struct PlayOptions {
    ScreenSize screen{1024, 768};
    bool capsLock = false;
    std::optional<LocalDateTime> start;  // default: now
    std::vector<std::string> answers;
    std::optional<std::uint64_t> abortAt;
    std::optional<std::string> text;  // UTF-8, as given
    std::optional<std::string> file;
    std::optional<std::string> desktop;  // JSON description of the simulated desktop
    bool dumpDesktop = false;
    bool x11 = false;     // play on the real display ($DISPLAY)
    bool dryRun = false;  // with --x11: the simulated desktop after all
};

// Parses the options of qlntool play; an error message when they are not usable.
struct ParsedPlayOptions {
    PlayOptions options;
    std::string error;
};
ParsedPlayOptions parsePlayOptions(std::span<const std::string_view> args);

std::optional<LocalDateTime> parseStartTime(std::string_view text);

}  // namespace qln::tool
