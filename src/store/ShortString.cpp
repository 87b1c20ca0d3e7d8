#include "store/ShortString.h"

#include <algorithm>

namespace qln {

void writeShortString(std::span<std::uint8_t> field, std::string_view text) {
    if (field.empty()) return;
    const std::size_t width = field.size() - 1;
    const std::size_t n = std::min(text.size(), std::min<std::size_t>(width, 255));
    std::fill(field.begin(), field.end(), 0);
    field[0] = static_cast<std::uint8_t>(n);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.data()), n, field.begin() + 1);
}

std::string readShortString(std::span<const std::uint8_t> field) {
    if (field.empty()) return {};
    const std::size_t n = std::min<std::size_t>(field[0], field.size() - 1);
    return std::string(reinterpret_cast<const char*>(field.data() + 1), n);
}

}  // namespace qln
