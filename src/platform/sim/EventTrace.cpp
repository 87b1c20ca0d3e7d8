#include "platform/sim/EventTrace.h"

#include "core/Win1252.h"

namespace qln::sim {

std::vector<std::string> EventTrace::lines() const {
    std::vector<std::string> out;
    out.reserve(events_.size());
    for (const auto& e : events_) out.push_back(e.text);
    return out;
}

std::string EventTrace::format(std::uint64_t startTick) const {
    std::string out;
    for (const auto& e : events_) {
        out += std::to_string(e.tick - startTick);
        out += ' ';
        out += e.text;
        out += '\n';
    }
    return out;
}

std::string EventTrace::quote(std::string_view s) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else if (c >= 0x80) {
            out += win1252ToUtf8(std::string_view(&ch, 1));
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

}  // namespace qln::sim
