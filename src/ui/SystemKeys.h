#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/Settings.h"
#include "store/MacroRecord.h"
#include "store/MacroStore.h"

namespace qln {

class MacroTable;

// A refused hot key or OK: the message to show (none when the store has told the user already); the dialog stays
// open and the fields stay as they were.
struct SystemKeysRefusal {
    std::string caption;
    std::string message;
    bool operator==(const SystemKeysRefusal&) const = default;
};

inline constexpr const char* SameSystemHotKeyMessage =
    "The same hot key has been assigned to more than one system command.";
// "The hot key "NAME" is already in use by a macro.  If you wish to use ..."
std::string hotKeyInUseMessage(int code);

// The System Hot Keys dialog (TSystemKeys) without its widgets: the hot keys of the four system macros and the
// display style of the menu of macros for the window in front.
class SystemKeys {
public:
    // The fields, in the order of the system function digits '1'..'4'.
    enum Field { ActProg, StartCap, Resume, MenuTop };
    static constexpr int FieldCount = 4;
    // "System Menu": 1 first part of the macro text (`ShowText`), 2 icons (`ShowIcon`), 3 nickname and scope
    // (`ShowNick`).
    enum Style { ShowText = 1, ShowIcon = 2, ShowNick = 3 };

    using MacroReader = std::function<std::optional<MacroRecord>(int macro)>;

    SystemKeys(const MacroTable& table, const Settings& settings);

    // The system macro behind a field (0 when the set has none) and the code the field holds now.
    int macro(Field f) const { return fields_[f].macro; }
    int code(Field f) const { return fields_[f].code; }
    // What the field shows: the name of its hot key.
    std::string fieldText(Field f) const;
    static const char* label(Field f);

    int style = ShowText;

    // A hot key pressed while field f waits for one.  Refused when the server keeps it, or when a Global, Popup
    // Menu or other system macro has it (Window and Program macros may share it); otherwise the field takes it.
    std::optional<SystemKeysRefusal> hotKeyPressed(Field f, int code);

    // "&Ok": refused when two fields hold the same hot key.  Otherwise each system macro whose code changed is
    // read, given its new code and stored (which publishes it); then the style goes into the settings.  A macro
    // that cannot be read or stored ends the OK there, refused; what was stored before stays stored.
    std::optional<SystemKeysRefusal> OkButtonClick(const MacroReader& read, IMacroStore& store, Settings& settings);
    // Some system macro was stored with a new hot key.
    bool changed() const { return changed_; }

private:
    struct FieldState {
        int macro = 0;
        int code = 0;
        int original = 0;
    };
    const MacroTable& table_;
    std::array<FieldState, FieldCount> fields_{};
    bool changed_ = false;
};

}  // namespace qln
