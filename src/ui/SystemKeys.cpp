#include "ui/SystemKeys.h"

#include "store/HotKeyNames.h"
#include "store/MacroTable.h"
#include "triggers/ReservedHotKeys.h"

namespace qln {

std::string hotKeyInUseMessage(int code) {
    return std::string("The hot key ") + '"' + hotKeyName(code) + '"' + " is already in use by a macro.  If you wish" +
           " to use this hot key combination, you will first need to either remove or " +
           "move the macro which is assigned to it.";
}

SystemKeys::SystemKeys(const MacroTable& table, const Settings& settings) : table_(table) {
    for (int n = 1; n <= table.count(); ++n) {
        if (table.table().scope(n) != ScopeSystem) continue;
        const std::string digit = table.table().name(n);
        if (digit.empty() || digit[0] < '1' || digit[0] > '4') continue;
        FieldState& f = fields_[static_cast<std::size_t>(digit[0] - '1')];
        if (f.macro != 0) continue;  // a second macro of one function: the first one counts, as in dispatch
        f.macro = n;
        f.code = f.original = table.table().code(n);
    }
    if (settings.systemMenu >= ShowText && settings.systemMenu <= ShowNick) style = settings.systemMenu;
}

std::string SystemKeys::fieldText(Field f) const {
    return fields_[f].macro != 0 ? hotKeyName(fields_[f].code) : std::string();
}

const char* SystemKeys::label(Field f) {
    static const char* const labels[] = {"Activate Program", "Start/Stop Capture", "Resume Pause",
                                         "Display Menu of all Hot Keys associated with top most Window"};
    return labels[f];
}

std::optional<SystemKeysRefusal> SystemKeys::hotKeyPressed(Field f, int code) {
    if (fields_[f].macro == 0 || code < 0 || code >= HotKeyCount) return std::nullopt;
    if (serverReservedHotKey(code)) return SystemKeysRefusal{"Error", ReservedHotKeyMessage};
    for (int n = 1; n <= table_.count(); ++n) {
        const std::int16_t scope = table_.table().scope(n);
        if (scope != ScopeGlobal && scope != ScopePopupMenu && scope != ScopeSystem) continue;
        int used = table_.table().code(n);
        if (scope == ScopeSystem) {
            // The system macros count with the keys this dialog gives them; the field's own macro never blocks it.
            for (const FieldState& other : fields_)
                if (other.macro == n) used = &other == &fields_[f] ? -1 : other.code;
        }
        if (used == code) return SystemKeysRefusal{"Error", hotKeyInUseMessage(code)};
    }
    fields_[f].code = code;
    return std::nullopt;
}

std::optional<SystemKeysRefusal> SystemKeys::OkButtonClick(const MacroReader& read, IMacroStore& store,
                                                           Settings& settings) {
    for (int i = 0; i < FieldCount; ++i)
        for (int j = i + 1; j < FieldCount; ++j)
            if (fields_[i].macro != 0 && fields_[j].macro != 0 && fields_[i].code == fields_[j].code)
                return SystemKeysRefusal{"Error", SameSystemHotKeyMessage};
    for (FieldState& f : fields_) {
        if (f.macro == 0 || f.code == f.original) continue;
        std::optional<MacroRecord> record = read ? read(f.macro) : std::nullopt;
        if (!record) return SystemKeysRefusal{"Error", "The system macro could not be read from the macro file."};
        record->hotKeyCode = static_cast<std::uint16_t>(f.code);
        if (!store.store(f.macro, *record)) return SystemKeysRefusal{};  // the store has told the user
        f.original = f.code;
        changed_ = true;
    }
    settings.systemMenu = style;
    return std::nullopt;
}

}  // namespace qln
