#include "platform/HookTable.h"

#include <array>

namespace qln {

namespace {
using namespace hooktable;

constexpr TableRegion kKeysRegions[] = {{HotKeyMap, HotKeyCodes}, {SnipwordFlag, 1}};
constexpr TableRegion kNumKeys[] = {{MacroCount, 4}};
constexpr TableRegion kWindow[] = {{MainWindow, 4}};
constexpr TableRegion kWindow2[] = {{SecondWindow, 5}};
constexpr TableRegion kProg[] = {{ProgramName, ProgramNameChars + 1}};
constexpr TableRegion kProgs[] = {{ProgramCount, 4}, {ProgramListBase + ProgramListWidth, MaxPrograms * ProgramListWidth}};
constexpr TableRegion kInUse[] = {{InUse, 1}};
constexpr TableRegion kKeyHook[] = {{KeyboardHook, 4}};
constexpr TableRegion kMouseHook[] = {{MouseHook, 4}};
// The library initialises itself from the start-up bytes and the system facts.
constexpr TableRegion kInit[] = {{StartByte1, 1}, {StartByte2, 1}, {NtFlag, 1}, {MouseSwapped, 1}};
constexpr TableRegion kCapture[] = {{StartByte1, 1},          {CaptureSection, CaptureSectionSize},
                                    {StartByte2, 1},          {NtFlag, 1},
                                    {MouseSwapped, 1}};
constexpr TableRegion kCaptureOn[] = {{CaptureSection, CaptureSectionSize}};

struct Entry {
    std::string_view name;
    std::span<const TableRegion> regions;
};
constexpr Entry kEntries[] = {
    {"QlnUpInit", kInit},           {"QlnUpKeys", kKeysRegions},       {"QlnUpNumKeys", kNumKeys},
    {"QlnUpWindow", kWindow},       {"QlnUpWindow2", kWindow2},        {"QlnUpProg", kProg},
    {"QlnUpProgs", kProgs},         {"QlnUpInUse", kInUse},            {"QlnUpKeyHook", kKeyHook},
    {"QlnUpMouseHook", kMouseHook}, {"QlnUpCapture", kCapture},        {"QlnUpCaptureOn", kCaptureOn},
};
}  // namespace

std::span<const TableRegion> regionsOf(std::string_view updateCall) {
    for (const auto& e : kEntries)
        if (e.name == updateCall) return e.regions;
    return {};
}

std::array<TableRegion, 5> itemRegions(std::uint16_t macro) {
    const std::size_t n = macro;
    return {{{ScopeBase + n * ScopeWidth, ScopeWidth},
             {NameBase + n * NameWidth, NameWidth},
             {ActiveBase + n * ActiveWidth, ActiveWidth},
             {CodeBase + n * CodeWidth, CodeWidth},
             {TopMostBase + n * TopMostWidth, TopMostWidth}}};
}

}  // namespace qln
