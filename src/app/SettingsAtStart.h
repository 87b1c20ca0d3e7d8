#pragma once

#include "core/Notices.h"
#include "core/Paths.h"
#include "core/Settings.h"

namespace qln {

// The settings a start works with: the settings file's, or the defaults when it cannot be read (the user is
// told why).  The user also hears of settings the last run could not save at its end.
Settings readSettingsAtStart(const Paths& paths, INotices& notices);

}  // namespace qln
