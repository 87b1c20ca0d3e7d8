#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/HookTable.h"

namespace qln {

// The program's private image of the shared trigger table.  Fields are changed here and then published through
// the hook library's update calls.  Per-macro entries exist for macro numbers 1..500 only; any other number throws
// std::out_of_range, so nothing is ever written past the arrays.
class TriggerTable {
public:
    TriggerTable() { bytes_.fill(0); }

    TableImage image() const { return TableImage(bytes_); }
    const std::array<std::uint8_t, hooktable::Size>& bytes() const { return bytes_; }

    std::int16_t scope(int n) const { return get16s(entry(hooktable::ScopeBase, hooktable::ScopeWidth, n)); }
    void setScope(int n, std::int16_t v) { put16(entry(hooktable::ScopeBase, hooktable::ScopeWidth, n), static_cast<std::uint16_t>(v)); }
    std::string name(int n) const;
    void setName(int n, std::string_view name);  // cut to 20 characters
    std::uint8_t active(int n) const { return bytes_[entry(hooktable::ActiveBase, 1, n)]; }
    void setActive(int n, std::uint8_t v) { bytes_[entry(hooktable::ActiveBase, 1, n)] = v; }
    std::uint16_t code(int n) const { return get16(entry(hooktable::CodeBase, hooktable::CodeWidth, n)); }
    void setCode(int n, std::uint16_t v) { put16(entry(hooktable::CodeBase, hooktable::CodeWidth, n), v); }
    std::uint8_t topMostOnly(int n) const { return bytes_[entry(hooktable::TopMostBase, 1, n)]; }
    void setTopMostOnly(int n, std::uint8_t v) { bytes_[entry(hooktable::TopMostBase, 1, n)] = v; }

    std::int32_t macroCount() const;
    void setMacroCount(std::int32_t count);

    bool hotKeyUsed(int code) const;
    void setHotKeyUsed(int code, bool used);
    void clearHotKeyMap();
    std::uint8_t snipwordFlag() const { return bytes_[hooktable::SnipwordFlag]; }
    void setSnipwordFlag(bool on) { bytes_[hooktable::SnipwordFlag] = on ? 1 : 0; }

    std::uint8_t inUse() const { return bytes_[hooktable::InUse]; }
    void setInUse(bool on) { bytes_[hooktable::InUse] = on ? 1 : 0; }
    void setMainWindow(std::uint32_t handle) { put32(hooktable::MainWindow, handle); }
    // Any field by its offset, for the start-up's writes of fields that have no name of their own.
    void setByteAt(std::size_t at, std::uint8_t v) { bytes_.at(at) = v; }
    void set16At(std::size_t at, std::uint16_t v) { put16(at, v); }
    void set32At(std::size_t at, std::uint32_t v) { put32(at, v); }
    std::uint8_t byteAt(std::size_t at) const { return bytes_.at(at); }
    std::uint32_t value32At(std::size_t at) const { return get32(at); }
    std::uint32_t mainWindow() const { return get32(hooktable::MainWindow); }

private:
    static std::size_t entry(std::size_t base, std::size_t width, int n);
    std::uint16_t get16(std::size_t at) const;
    std::int16_t get16s(std::size_t at) const { return static_cast<std::int16_t>(get16(at)); }
    void put16(std::size_t at, std::uint16_t v);
    std::uint32_t get32(std::size_t at) const;
    void put32(std::size_t at, std::uint32_t v);

    std::array<std::uint8_t, hooktable::Size> bytes_{};
};

}  // namespace qln
