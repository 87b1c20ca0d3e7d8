#pragma once

#include <string>

#include "core/Notices.h"
#include "core/Settings.h"
#include "store/MacroFile.h"
#include "store/MacroListView.h"
#include "store/NetworkSync.h"
#include "store/RecentFiles.h"
#include "store/Vexmap.h"

namespace qln {

// The File menu's commands once the user has chosen a path (the dialogs belong to the GUI), and the list refresh
// after a reload of a shared file.
class MacroFileCommands : public IMacroSetReload {
public:
    MacroFileCommands(Settings& settings, MacroTable& table, MacroFile& file, Vexmap& vexmap, NetworkSync& network,
                      IMacroListView& view, INotices& notices)
        : settings_(settings), table_(table), file_(file), vexmap_(vexmap), network_(network), view_(view),
          notices_(notices), recent_(settings.lastFiles) {}

    // Open File with the chosen path; false when refused (also a file that is no macro file).
    bool DoOpen(const std::string& chosen) { return openChosen(chosen, true); }
    // New File: a name that does not exist is created with the four system macros.
    bool DoNew(const std::string& chosen) { return openChosen(chosen, false); }
    // One of the recent files.
    bool OpenSaveFile(const std::string& path);
    // A playing macro's "<SWAP:": like Open File once the file is chosen, without the name check.  The playing
    // macro goes on with its own copy of its text.
    void swapMacroFile(const std::string& path);

    void reloadWithRefresh() override;
    RecentFiles& recentFiles() { return recent_; }

private:
    bool openChosen(const std::string& chosen, bool trayIcons);
    // What every way of changing the current file does once the new path is settled: the old set's tray icons go,
    // the file is loaded, and the new set is shown with its remapping and the recent files list.  false, with the
    // user told why, when the file cannot be loaded: nothing changes then.
    bool makeCurrent(const std::string& path, bool trayIcons);

    Settings& settings_;
    MacroTable& table_;
    MacroFile& file_;
    Vexmap& vexmap_;
    NetworkSync& network_;
    IMacroListView& view_;
    INotices& notices_;
    RecentFiles recent_;
};

}  // namespace qln
