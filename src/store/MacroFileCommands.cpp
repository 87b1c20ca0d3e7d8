#include "store/MacroFileCommands.h"

#include "platform/File.h"
#include "store/MacroFileNames.h"

namespace qln {

bool MacroFileCommands::openChosen(const std::string& chosen, bool trayIcons) {
    if (!isMacroFileName(chosen)) {
        notices_.notice("Error", "Invalid file type selected.");
        return false;
    }
    return makeCurrent(chosen, trayIcons);
}

bool MacroFileCommands::OpenSaveFile(const std::string& path) {
    if (!fileInfo(path).exists()) {
        notices_.notice("Error", "File does not exist.");
        return false;
    }
    return makeCurrent(path, true);
}

void MacroFileCommands::swapMacroFile(const std::string& path) { makeCurrent(path, true); }

bool MacroFileCommands::makeCurrent(const std::string& path, bool trayIcons) {
    // A file that is no macro file (or cannot be read) is refused before anything changes: the current set stays.
    if (const std::string refusal = file_.refusal(path); !refusal.empty()) {
        notices_.notice("Error", refusal);
        return false;
    }
    const std::string previous = settings_.currentFile;
    view_.removeTrayIcons();
    settings_.currentFile = path;
    // The counter is taken before the load: a change in between then costs a reload instead of going unseen.
    if (network_.networkMode()) network_.adoptFile(path);
    file_.load(path);
    table_.SetHotKeys();
    view_.setCaption(displayName(path));
    view_.fillList();
    view_.setButtons(table_.count() > 0);
    view_.checkAndSetTime();
    if (trayIcons) view_.putTrayIcons();
    vexmap_.GetSwapFile(path);
    view_.remapChanged();
    recent_.DoLastFiles(previous, path);
    return true;
}

void MacroFileCommands::reloadWithRefresh() {
    const int row = view_.selectedRow();
    view_.removeTrayIcons();
    file_.reload();
    vexmap_.GetSwapFile(file_.path());
    view_.remapChanged();
    view_.fillList();
    table_.SetHotKeys();
    if (view_.rowCount() > 1) view_.selectRow(row < view_.rowCount() ? row : view_.rowCount() - 1);
    view_.setButtons(table_.count() > 0);
    view_.checkAndSetTime();
    view_.putTrayIcons();
}

}  // namespace qln
