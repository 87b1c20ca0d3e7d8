#pragma once

#include <string>
#include <string_view>

#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/Settings.h"

namespace qln {

// Reading and writing the settings with the profile functions' rules.

// Every key in file order, defaults for what is missing; then the start-up fixes: a current file that is empty,
// vanished or not a regular file (a folder, say) becomes the default macro file, a timer interval of 0 or above
// 60 becomes 10.
Settings readSettings(const IniFile& file, const Paths& paths);
// Writes every key of every section in file order into the file's lines, keeping whatever else it holds.
void writeSettings(const Settings& settings, IniFile& file);

// The settings file on disk: a missing file gives the defaults; the write replaces the file atomically.
// Both throw FileError when the file exists but cannot be read or written.  A file its owner made read-only is
// not replaced: the save returns false and leaves it as it is.
Settings loadSettingsFile(const Paths& paths);
bool saveSettingsFile(const Settings& settings, const Paths& paths);
// Why a read-only settings file holds no settings of this run, for messages after its path.
inline constexpr const char* ReadOnlySettingsReason = "the file is read-only";

// The value readers, as the profile functions read them.
bool readFlag(std::string_view value);
std::int32_t readProfileInt(std::string_view value);

}  // namespace qln
