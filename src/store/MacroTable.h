#pragma once

#include <array>
#include <string>

#include "platform/Clock.h"
#include "platform/HookTable.h"
#include "store/MacroRecord.h"
#include "store/MacroStore.h"
#include "store/TriggerTable.h"

namespace qln {

// The nickname and Snipword of each macro, by macro number (1..500): what lists and menus show without
// reading the file.  They belong to the settings record.
struct MacroNames {
    std::array<std::string, 501> nicknames;
    std::array<std::string, 501> snipwords;
};

constexpr int MaxMacros = 500;
inline constexpr const char* MaxMacrosMessage = "Maximum number of hot keys has been reached.  Add not allowed.";

// The loaded macro set as the rest of the program sees it: the trigger arrays of the shared table and the
// name arrays, kept in step with the records of the macro file.
class MacroTable {
public:
    MacroTable(TriggerTable& table, MacroNames& names, IHookLibrary& hook) : table_(table), names_(names), hook_(hook) {}

    int count() const { return table_.macroCount(); }
    // Sets the count in the image without publishing it (a load publishes once at its end).
    void setCount(int count) { table_.setMacroCount(count); }
    // Copies the record's trigger fields and names into entry n and publishes that entry.
    void publish(int n, const MacroRecord& record);

    void UpNumKeys() { hook_.QlnUpNumKeys(table_.image()); }
    void SetHotKeys();
    bool ThereAreSnipwords() const;
    // Makes sure the four system macros exist; appends the missing ones through the store.
    void repairSystemMacros(IMacroStore& store, const IClock& clock);

    const std::string& nickname(int n) const { return names_.nicknames.at(static_cast<std::size_t>(n)); }
    const std::string& snipword(int n) const { return names_.snipwords.at(static_cast<std::size_t>(n)); }
    TriggerTable& table() { return table_; }
    const TriggerTable& table() const { return table_; }

private:
    TriggerTable& table_;
    MacroNames& names_;
    IHookLibrary& hook_;
};

// The fixed nickname and first hot key of a system function digit '1'..'4'.
const char* systemMacroNickname(char digit);
MacroRecord systemMacro(char digit, double now);

}  // namespace qln
