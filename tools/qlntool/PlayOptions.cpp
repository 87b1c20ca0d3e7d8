#include "PlayOptions.h"

#include <charconv>

#include "core/DateTime.h"

namespace qln::tool {

namespace {

bool parseNumber(std::string_view s, long long& out) {
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

bool parseScreen(std::string_view s, ScreenSize& out) {
    const auto x = s.find('x');
    long long w = 0, h = 0;
    if (x == std::string_view::npos || !parseNumber(s.substr(0, x), w) || !parseNumber(s.substr(x + 1), h))
        return false;
    if (w < 1 || h < 1 || w > 100000 || h > 100000) return false;
    out = {static_cast<int>(w), static_cast<int>(h)};
    return true;
}

}  // namespace

std::optional<LocalDateTime> parseStartTime(std::string_view s) {
    // YYYY-MM-DD HH:MM:SS[.mmm]
    if (s.size() != 19 && s.size() != 23) return std::nullopt;
    if (s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' || s[16] != ':') return std::nullopt;
    if (s.size() == 23 && s[19] != '.') return std::nullopt;
    long long y, mo, d, h, mi, se, ms = 0;
    if (!parseNumber(s.substr(0, 4), y) || !parseNumber(s.substr(5, 2), mo) || !parseNumber(s.substr(8, 2), d) ||
        !parseNumber(s.substr(11, 2), h) || !parseNumber(s.substr(14, 2), mi) || !parseNumber(s.substr(17, 2), se))
        return std::nullopt;
    if (s.size() == 23 && !parseNumber(s.substr(20, 3), ms)) return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || se > 59 || y < 1) return std::nullopt;
    // The day must exist in that month.
    const CivilDate check = civilFromDays(daysFromCivil(static_cast<int>(y), static_cast<int>(mo), static_cast<int>(d)));
    if (check.day != d) return std::nullopt;
    return LocalDateTime{static_cast<int>(y),  static_cast<int>(mo), static_cast<int>(d), static_cast<int>(h),
                         static_cast<int>(mi), static_cast<int>(se), static_cast<int>(ms)};
}

ParsedPlayOptions parsePlayOptions(std::span<const std::string_view> args) {
    ParsedPlayOptions r;
    PlayOptions& o = r.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() { return args[++i]; };
        if (a == "--caps") {
            o.capsLock = true;
        } else if (a == "--dump-desktop") {
            o.dumpDesktop = true;
        } else if (a == "--x11") {
            o.x11 = true;
        } else if (a == "--dry-run") {
            o.dryRun = true;
        } else if (a == "--screen" || a == "--start" || a == "--answer" || a == "--abort-at" || a == "--text" ||
                   a == "--file" || a == "--desktop") {
            if (!hasValue) {
                r.error = std::string(a) + " needs a value";
                return r;
            }
            const std::string_view v = value();
            if (a == "--screen") {
                if (!parseScreen(v, o.screen)) r.error = "--screen takes WIDTHxHEIGHT, for example 1024x768";
            } else if (a == "--start") {
                o.start = parseStartTime(v);
                if (!o.start) r.error = "--start takes \"YYYY-MM-DD HH:MM:SS\" or \"YYYY-MM-DD HH:MM:SS.mmm\"";
            } else if (a == "--answer") {
                // Any text: what the user types into the repeat-count prompt may be wrong on purpose.
                o.answers.emplace_back(v);
            } else if (a == "--abort-at") {
                long long ms = 0;
                if (!parseNumber(v, ms) || ms < 0)
                    r.error = "--abort-at takes a number of milliseconds";
                else
                    o.abortAt = static_cast<std::uint64_t>(ms);
            } else if (a == "--desktop") {
                o.desktop = std::string(v);
            } else if (a == "--text") {
                o.text = std::string(v);
            } else {
                o.file = std::string(v);
            }
        } else {
            r.error = "unknown option '" + std::string(a) + "'";
        }
        if (!r.error.empty()) return r;
    }
    if (o.text.has_value() == o.file.has_value()) r.error = "give exactly one of --text and --file";
    if (o.dryRun && !o.x11) r.error = "--dry-run goes with --x11";
    return r;
}

}  // namespace qln::tool
