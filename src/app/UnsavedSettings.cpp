#include "app/UnsavedSettings.h"

#include <cstdio>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "core/Sentence.h"
#include "platform/File.h"

namespace qln {

namespace {

std::string notePath(const Paths& paths) {
    return paths.programFolder + "/settings-not-saved";
}

// Longer than any path and reason: anything else is no note of ours.
constexpr std::uint64_t kNoteBytes = 8192;

}  // namespace

void settingsNotSavedAtExit(const Paths& paths, const std::string& file, const std::string& reason, bool remember) {
    const std::string what = file + ": " + reason;
    std::fprintf(stderr, "quillon: the settings were not saved: %s\n", what.c_str());
    if (!remember) return;
    try {
        replaceFileContent(notePath(paths), what);
    } catch (const FileError& e) {
        std::fprintf(stderr, "quillon: %s\n", e.what());
    }
}

std::optional<std::string> takeSettingsNotSaved(const Paths& paths) {
    const std::string note = notePath(paths);
    if (fileInfo(note).kind != FileKind::Regular) return std::nullopt;
    std::string what;
    try {
        what = readWholeFile(note, kNoteBytes);
    } catch (const FileError&) {
    }
    removeFile(note);
    if (what.empty()) return std::nullopt;
    return "The settings were not saved when Quillon last ended: " + sentence(what);
}

}  // namespace qln
