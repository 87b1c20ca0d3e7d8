#include "platform/ControlCharacters.h"

namespace qln {

void setControlCharacterScans(std::array<std::int16_t, 256>& scan) {
    constexpr std::int16_t kShift = 0x100, kCtrl = 0x200;
    for (int c = 1; c <= 26; ++c) scan[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(kCtrl | (64 + c));
    scan[8] = 8;
    scan[9] = 9;
    scan[13] = 13;
    scan[10] = kCtrl | 13;
    scan[27] = kCtrl | 219;
    scan[28] = kCtrl | 220;
    scan[29] = kCtrl | 221;
    scan[30] = kCtrl | kShift | 54;
    scan[31] = kCtrl | kShift | 189;
    scan[127] = kCtrl | 8;
}

}  // namespace qln
