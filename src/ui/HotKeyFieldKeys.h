#pragma once

#include <optional>
#include <string>

#include "store/HotKeyNames.h"

namespace qln {

// Which keys a dialog's hot key field takes while it waits for a hot key, and which the dialog keeps: the
// dialog's mnemonics (Alt and one of its letters), Enter, Escape, Tab, Shift+Tab and plain clicks do what they do
// in any dialog; every other combination is the hot key.  Space arms the field: the next hot key is then taken
// whatever it is (Alt+O, Escape, a plain click), and Space again disarms it.
//
// Two sources report the same press, in either order: the toolkit's key event (which the field may keep from
// the dialog) and the hook library's hot key code (which the field may take).  A taken code whose key event is
// still to come has that event kept from the dialog too.
class HotKeyFieldKeys {
public:
    // `mnemonics`: the letters (or digits) of the dialog's controls' mnemonics, any case.
    explicit HotKeyFieldKeys(const std::string& mnemonics);

    // The dialog acts on this key when the field is not armed.
    bool dialogKey(const DecipheredKey& key) const;

    // The toolkit's key event (shortcut check or press) as it arrives: true when the field keeps it from the
    // dialog.  Asking changes nothing; pressed() takes the press.
    bool keeps(const DecipheredKey& key) const;
    bool pressed(const DecipheredKey& key);

    // The hook library's hot key code: true when the field takes it.
    bool takesCode(int code);

    bool armed() const { return armed_; }
    // The field lost the focus, or the dialog closed.
    void reset();

private:
    std::string mnemonics_;
    bool armed_ = false;
    std::optional<DecipheredKey> pressedWhileArmed_;
    std::optional<DecipheredKey> keepNext_;
};

}  // namespace qln
