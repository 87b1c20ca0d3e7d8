#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Prompts.h"

namespace qln {

// A Popup Menu macro that asked for a tray icon of its own.
struct MenuTrayIcon {
    int macro = 0;
    std::string tooltip;   // the nickname, Windows-1252
    std::string iconFile;  // a file of the program's Icons folder; empty: the standard menu icon
};

// What the main window form does when the composition root asks: the window, its list and buttons, the tray.  The
// Qt form implements it; tests use a recording one.
class IMainWindowView : public IAppWindow {
public:
    // The list of the current set (rows are 1-based; 0 is no selection).
    virtual void fillList() = 0;
    virtual int selectedRow() const = 0;
    virtual int rowCount() const = 0;
    virtual void selectRow(int row) = 0;
    virtual void applyColumnWidths() = 0;

    virtual void setCaption(std::string_view caption) = 0;
    // The enabled state of the commands may have changed: ask the composition root again.
    virtual void commandsChanged() = 0;

    virtual bool trayAvailable() const = 0;
    virtual void setMainTrayIcon(bool active) = 0;
    virtual void setMenuTrayIcons(const std::vector<MenuTrayIcon>& icons) = 0;

    virtual bool mainWindowVisible() const = 0;
    virtual void bringToFront() = 0;
    // The program's own dialogs (other than the main window).
    virtual bool anyDialogOpen() const = 0;
    virtual void closeDialogs() = 0;
    // The main window's place and size, for the settings.
    virtual void geometry(int& left, int& top, int& width, int& height) const = 0;
    // The window id the hook library posts to (the table keeps it).
    virtual std::uint32_t windowHandle() const = 0;
    // A triggered macro plays (the tray names it and the key that stops it) or has ended.
    virtual void showPlaying(bool /*playing*/, std::string_view /*nickname*/) {}
};

}  // namespace qln
