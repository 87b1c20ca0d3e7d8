#pragma once

#include <string_view>

namespace qln {

// What shows the macro set to the user (the main window's list, caption, buttons, tray icons, the scheduler's
// list of timed macros).  The store tells it when the set changed; the GUI implements it.
class IMacroListView {
public:
    virtual ~IMacroListView() = default;
    virtual int selectedRow() const = 0;
    virtual int rowCount() const = 0;
    virtual void selectRow(int row) = 0;
    virtual void fillList() = 0;
    virtual void setButtons(bool enabled) = 0;
    virtual void setCaption(std::string_view displayName) = 0;
    virtual void checkAndSetTime() = 0;
    virtual void removeTrayIcons() = 0;
    virtual void putTrayIcons() = 0;
    // The remap tables of the macro file were read anew.
    virtual void remapChanged() {}
};

}  // namespace qln
