#include "core/TextCase.h"

namespace qln {

std::string upperWin1252(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            ch = static_cast<char>(c - 0x20);
        else if (c == 0x9A || c == 0x9C || c == 0x9E)
            ch = static_cast<char>(c - 0x10);
        else if (c == 0xFF)
            ch = static_cast<char>(0x9F);
    }
    return out;
}

}  // namespace qln
