#pragma once

#include <array>
#include <functional>

#include "core/Notices.h"
#include "gui/dialogs/CentredDialog.h"
#include "ui/HotKeyFieldKeys.h"
#include "ui/SystemKeys.h"

class QLineEdit;
class QRadioButton;

namespace qln::gui {

// TSystemKeys, "System Hot Keys": the hot keys of the four system macros (`ActProg`, `StartCap`, `Resume`,
// `MenuTop`) and how the menu of macros for the window in front is drawn (`ShowText`, `ShowIcon`, `ShowNick`).
// The fields are not typed into: while one has the focus the dialog is the hot key capture window (`capture`
// is called with true on entering a field, with false on leaving it and when the dialog closes), and the
// application hands each hot key pressed meanwhile to hotKeyPressed().  The dialog's own keys (its mnemonics,
// Enter, Escape, Tab, plain clicks) keep working meanwhile; Space in a field makes it take the next one as its
// hot key.  exec() returns Accepted after "&Ok"
// stored the changed system macros through `store` and the style in `settings`; the owner then writes the
// settings file and, when changed(), refreshes the list row and calls SetHotKeys.  "&Help": "tsystemkeys.html".
class SystemKeysDialog : public CentredDialog {
    Q_OBJECT

public:
    using CaptureWindow = std::function<void(bool capturing)>;

    SystemKeysDialog(const MacroTable& table, Settings& settings, SystemKeys::MacroReader read, IMacroStore& store,
                     CaptureWindow capture = {}, INotices* notices = nullptr, ShowHelp help = {},
                     QWidget* parent = nullptr);
    ~SystemKeysDialog() override;

    // Opened on a system macro: the focus goes to the field of its function.
    void focusField(SystemKeys::Field field);
    // A hot key pressed while a field waits for one (the hook library's HotKeyToCapture code).
    void hotKeyPressed(int code);
    bool changed() const { return logic_.changed(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void setCapturing(int field);  // -1 ends it
    // A key event or click reaching the waiting field: true when the field keeps it from the dialog.
    bool fieldKeyEvent(QEvent* event);
    void showArmed();
    void refuse(const SystemKeysRefusal& refusal);
    void OkButtonClick();

    SystemKeys logic_;
    Settings& settings_;
    SystemKeys::MacroReader read_;
    IMacroStore& store_;
    CaptureWindow capture_;
    INotices* notices_;
    ShowHelp help_;
    std::array<QLineEdit*, SystemKeys::FieldCount> fields_{};
    std::array<QRadioButton*, 3> styles_{};
    int capturing_ = -1;
    HotKeyFieldKeys keys_;
};

}  // namespace qln::gui
