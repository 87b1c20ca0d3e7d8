#pragma once

#include <string>

namespace qln {

// Where Quillon keeps its files.  On Linux the settings live in $XDG_CONFIG_HOME/quillon (~/.config/quillon)
// and the program folder (default macro file, capture files, icons) is $XDG_DATA_HOME/quillon
// (~/.local/share/quillon).  Both folders are created when missing.
struct Paths {
    std::string configFolder;
    std::string programFolder;

    std::string settingsFile() const { return configFolder + "/QUILN.INI"; }
    std::string defaultMacroFile() const { return programFolder + "/QUILN.QLN"; }
    std::string iconsFolder() const { return programFolder + "/Icons"; }

    // From the environment; creates the folders.  Throws FileError when a folder cannot be made.
    static Paths fromEnvironment();
    // Explicit folders (tests, portable installs); creates them.
    static Paths at(const std::string& configFolder, const std::string& programFolder);
};

}  // namespace qln
