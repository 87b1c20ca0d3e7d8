#include "store/MacroFileCommands.h"

#include <sys/stat.h>

#include "store/MacroFileNames.h"

namespace qln {

void MacroFileCommands::adoptSyncFile() {
    if (network_.networkMode()) network_.adoptFile(settings_.currentFile);
}

void MacroFileCommands::showNewSet(bool trayIcons) {
    view_.fillList();
    view_.setButtons(table_.count() > 0);
    view_.checkAndSetTime();
    if (trayIcons) view_.putTrayIcons();
}

bool MacroFileCommands::openChosen(const std::string& chosen, bool trayIcons) {
    if (!isMacroFileName(chosen)) {
        notices_.notice("Error", "Invalid file type selected.");
        return false;
    }
    const std::string previous = settings_.currentFile;
    view_.removeTrayIcons();
    settings_.currentFile = chosen;
    adoptSyncFile();
    file_.load(chosen);
    table_.SetHotKeys();
    view_.setCaption(displayName(chosen));
    showNewSet(trayIcons);
    vexmap_.GetSwapFile(chosen);
    recent_.DoLastFiles(previous, chosen);
    return true;
}

bool MacroFileCommands::OpenSaveFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        notices_.notice("Error", "File does not exist.");
        return false;
    }
    view_.removeTrayIcons();
    file_.load(path);
    table_.SetHotKeys();
    view_.setCaption(displayName(path));
    recent_.DoLastFiles(settings_.currentFile, path);
    settings_.currentFile = path;
    adoptSyncFile();
    showNewSet(true);
    vexmap_.GetSwapFile(path);
    return true;
}

void MacroFileCommands::swapMacroFile(const std::string& path) {
    const std::string previous = settings_.currentFile;
    settings_.currentFile = path;
    adoptSyncFile();
    view_.removeTrayIcons();
    file_.load(path);
    table_.SetHotKeys();
    view_.setCaption(displayName(path));
    showNewSet(true);
    recent_.DoLastFiles(previous, path);
    vexmap_.GetSwapFile(path);
}

void MacroFileCommands::reloadWithRefresh() {
    const int row = view_.selectedRow();
    view_.removeTrayIcons();
    file_.reload();
    vexmap_.GetSwapFile(file_.path());
    view_.fillList();
    table_.SetHotKeys();
    if (view_.rowCount() > 1) view_.selectRow(row < view_.rowCount() ? row : view_.rowCount() - 1);
    view_.setButtons(table_.count() > 0);
    view_.checkAndSetTime();
    view_.putTrayIcons();
}

}  // namespace qln
