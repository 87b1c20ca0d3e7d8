#pragma once

#include <optional>
#include <string>

#include "core/Paths.h"

namespace qln {

// Settings that could not be saved as the program ended, when nobody can be asked any more: said on stderr at
// once ("quillon: the settings were not saved: FILE: REASON") and, when `remember`, kept in a small note in the
// program folder, so that the next start tells the user.
void settingsNotSavedAtExit(const Paths& paths, const std::string& file, const std::string& reason,
                            bool remember = true);
// What the last run could not save, as a message for the user; the note is gone afterwards, so it is told once.
std::optional<std::string> takeSettingsNotSaved(const Paths& paths);

}  // namespace qln
