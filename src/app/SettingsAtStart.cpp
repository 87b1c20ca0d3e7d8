#include "app/SettingsAtStart.h"

#include "app/UnsavedSettings.h"
#include "core/FileError.h"
#include "core/Sentence.h"
#include "core/SettingsFile.h"

namespace qln {

Settings readSettingsAtStart(const Paths& paths, INotices& notices) {
    Settings settings;
    try {
        settings = loadSettingsFile(paths);
    } catch (const FileError& e) {
        notices.notice("Error", sentence(e.what()) + "  Quillon starts with the default settings.");
    }
    if (const auto unsaved = takeSettingsNotSaved(paths)) notices.notice("Error", *unsaved);
    return settings;
}

}  // namespace qln
