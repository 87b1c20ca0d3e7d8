#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qln {

// Byte layout of the shared trigger table: the block the program shares with the hook library.
// The program keeps a private image of it and hands the image to the library's update calls.
namespace hooktable {
constexpr std::size_t Size = 19755;

constexpr std::size_t MainWindow = 0;           // 4: main window handle
constexpr std::size_t StartByte1 = 4;           // 1: 0 at start
constexpr std::size_t HotKeyMap = 17;           // 720: byte per hot key code, 1 = used by an active macro
constexpr std::size_t HotKeyCodes = 720;
constexpr std::size_t CaptureSection = 737;     // 55 bytes
constexpr std::size_t CaptureSectionSize = 55;
constexpr std::size_t MouseHook = 744;          // 4
constexpr std::size_t KeyboardHook = 748;       // 4
constexpr std::size_t SecondWindow = 752;       // 4
constexpr std::size_t SecondWindowFlag = 756;   // 1
constexpr std::size_t InUse = 777;              // 1
constexpr std::size_t MaxMacros = 500;
// Per-macro arrays, macro numbers 1..500: entry n lies at base + n * width.
constexpr std::size_t ScopeBase = 790, ScopeWidth = 2;
constexpr std::size_t NameBase = 1771, NameWidth = 21;  // length-prefixed, 20 characters
constexpr std::size_t NameChars = 20;
constexpr std::size_t ActiveBase = 12291, ActiveWidth = 1;
constexpr std::size_t CodeBase = 12790, CodeWidth = 2;
constexpr std::size_t TopMostBase = 13791, TopMostWidth = 1;
constexpr std::size_t MacroCount = 14292;       // 4, signed
constexpr std::size_t StartByte2 = 14296;       // 1: 0 at start
constexpr std::size_t NtFlag = 14297;           // 1
constexpr std::size_t SnipwordFlag = 14298;     // 1
constexpr std::size_t ProgramName = 14299;      // 251: length-prefixed, 250 characters
constexpr std::size_t ProgramNameChars = 250;
constexpr std::size_t ProgramCount = 14550;     // 4
constexpr std::size_t MouseSwapped = 14554;     // 1
constexpr std::size_t ProgramListBase = 14529, ProgramListWidth = 26;  // entries 1..200, 25 characters
constexpr std::size_t ProgramListChars = 25;
constexpr std::size_t MaxPrograms = 200;
}  // namespace hooktable

using TableImage = std::span<const std::uint8_t, hooktable::Size>;

// The hook library's entry points.  Each update call takes its part of the image at once: when it returns,
// the fields it covers are visible to the hooks.
class IHookLibrary {
public:
    virtual ~IHookLibrary() = default;

    virtual std::uint32_t QlnHookKeyboard() = 0;
    virtual std::uint32_t QlnHookMouse() = 0;
    virtual std::uint32_t QlnHookCBT() = 0;
    virtual std::uint32_t QlnHookSwap() = 0;
    virtual bool QlnUnHook(std::uint32_t hook) = 0;

    virtual void QlnUpInit(TableImage table) = 0;
    virtual void QlnUpKeys(TableImage table) = 0;
    virtual void QlnUpNumKeys(TableImage table) = 0;
    virtual void QlnUpItem(TableImage table, std::uint16_t macro) = 0;
    virtual void QlnUpWindow(TableImage table) = 0;
    virtual void QlnUpWindow2(TableImage table) = 0;
    virtual void QlnUpProg(TableImage table) = 0;
    virtual void QlnUpProgs(TableImage table) = 0;
    virtual void QlnUpInUse(TableImage table) = 0;
    virtual void QlnUpKeyHook(TableImage table) = 0;
    virtual void QlnUpMouseHook(TableImage table) = 0;
    virtual void QlnUpCapture(TableImage table) = 0;
    virtual void QlnUpCaptureOn(TableImage table) = 0;

    // The two small blocks the program shares with the library besides the table: the remapping block (104
    // bytes) and the window block (17 bytes).  With no other process to share them with, the library is handed
    // the program's own; it reads them whenever it needs them.
    virtual void attachBlocks(std::span<std::uint8_t, 104> /*remap*/, std::span<std::uint8_t, 17> /*window*/) {}
};

// A stretch of the table that one update call publishes.
struct TableRegion {
    std::size_t offset;
    std::size_t length;
};

// The regions each update call takes from the image (every hook library implementation copies these).
// QlnUpItem's regions depend on the macro number.
std::span<const TableRegion> regionsOf(std::string_view updateCall);
std::array<TableRegion, 5> itemRegions(std::uint16_t macro);

}  // namespace qln
