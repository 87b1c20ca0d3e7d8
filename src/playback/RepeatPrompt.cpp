#include "playback/RepeatPrompt.h"

#include "playback/FieldReader.h"

namespace qln {

namespace {
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}
}  // namespace

std::optional<std::string> RepeatPrompt::check(std::string_view text) {
    if (readIntField(trimmed(text)).clean) return std::nullopt;
    return std::string(InvalidMessage);
}

std::uint16_t RepeatPrompt::count(std::string_view text) {
    return static_cast<std::uint16_t>(readIntField(trimmed(text)).value);
}

}  // namespace qln
