#include "platform/sim/SimKeyboardLayout.h"

#include <string_view>

#include "platform/ControlCharacters.h"

namespace qln::sim {

namespace {
constexpr std::int16_t kShift = 0x100;

// Unshifted and shifted characters of the punctuation keys, with their virtual keys.
struct PunctuationKey {
    char plain;
    char shifted;
    std::uint8_t vk;
};
constexpr PunctuationKey kPunctuation[] = {
    {';', ':', 186}, {'=', '+', 187}, {',', '<', 188}, {'-', '_', 189}, {'.', '>', 190}, {'/', '?', 191},
    {'`', '~', 192}, {'[', '{', 219}, {'\\', '|', 220}, {']', '}', 221}, {'\'', '"', 222},
};

struct ScanCode {
    std::uint8_t vk;
    std::uint8_t scan;
};
constexpr ScanCode kScanCodes[] = {
    {8, 0x0E},    {9, 0x0F},    {13, 0x1C},   {16, 0x2A},   {17, 0x1D},   {18, 0x38},   {19, 0x45},
    {20, 0x3A},   {27, 0x01},   {32, 0x39},   {33, 0x49},   {34, 0x51},   {35, 0x4F},   {36, 0x47},
    {37, 0x4B},   {38, 0x48},   {39, 0x4D},   {40, 0x50},   {44, 0x54},   {45, 0x52},   {46, 0x53},
    {91, 0x5B},   {92, 0x5C},   {93, 0x5D},   {96, 0x52},   {97, 0x4F},   {98, 0x50},   {99, 0x51},
    {100, 0x4B},  {101, 0x4C},  {102, 0x4D},  {103, 0x47},  {104, 0x48},  {105, 0x49},  {106, 0x37},
    {107, 0x4E},  {109, 0x4A},  {110, 0x53},  {111, 0x35},  {122, 0x57},  {123, 0x58},  {135, 0x76},
    {144, 0x45},  {145, 0x46},  {186, 0x27},  {187, 0x0D},  {188, 0x33},  {189, 0x0C},  {190, 0x34},
    {191, 0x35},  {192, 0x29},  {219, 0x1A},  {220, 0x2B},  {221, 0x1B},  {222, 0x28},
};
// Scan codes of A..Z.
constexpr std::uint8_t kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                          0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
}  // namespace

SimKeyboardLayout::SimKeyboardLayout() {
    scan_.fill(-1);
    for (int c = 'a'; c <= 'z'; ++c) {
        scan_[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(c - 32);
        scan_[static_cast<std::size_t>(c - 32)] = static_cast<std::int16_t>(kShift | (c - 32));
    }
    constexpr std::string_view shiftedDigits = ")!@#$%^&*(";
    for (int d = 0; d < 10; ++d) {
        scan_[static_cast<std::size_t>('0' + d)] = static_cast<std::int16_t>('0' + d);
        scan_[static_cast<unsigned char>(shiftedDigits[static_cast<std::size_t>(d)])] =
            static_cast<std::int16_t>(kShift | ('0' + d));
    }
    for (const auto& p : kPunctuation) {
        scan_[static_cast<unsigned char>(p.plain)] = p.vk;
        scan_[static_cast<unsigned char>(p.shifted)] = static_cast<std::int16_t>(kShift | p.vk);
    }
    scan_[' '] = 32;
    setControlCharacterScans(scan_);

    for (int i = 0; i < 26; ++i) scanCodes_[static_cast<std::size_t>('A' + i)] = kLetterScan[i];
    for (int d = 1; d <= 9; ++d) scanCodes_[static_cast<std::size_t>('0' + d)] = static_cast<std::uint8_t>(1 + d);
    scanCodes_['0'] = 0x0B;
    for (int f = 0; f < 10; ++f) scanCodes_[static_cast<std::size_t>(112 + f)] = static_cast<std::uint8_t>(0x3B + f);
    for (int f = 0; f < 11; ++f) scanCodes_[static_cast<std::size_t>(124 + f)] = static_cast<std::uint8_t>(0x64 + f);
    for (const auto& s : kScanCodes) scanCodes_[s.vk] = s.scan;
}

}  // namespace qln::sim
