#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qln {

struct FontSetting {
    std::int32_t color = 0;
    std::string name = "Arial";
    std::int32_t size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool operator==(const FontSetting&) const = default;
};

// Every setting of the settings file, with its default.  Read once at start, rewritten whole after each
// confirmed settings dialog and at exit.
struct Settings {
    // Misc
    std::int32_t systemMenu = 1;
    bool sortHeader = true;
    std::string primarySort = "123";
    std::string activationSort = "123";
    std::string scopeSort = "12345";
    std::int32_t lastDateFormat = 0;
    std::int32_t lastTimeFormat = 0;
    bool suppressZerosInDate = true;
    bool suppressZerosInTime = true;
    bool showDate = false;
    bool useTray = false;
    bool disableScreenSaver = true;
    std::string currentFile;
    std::array<std::string, 5> lastFiles;
    // Capture
    bool captureDoubleAlt = true;
    bool captureKeys = true;
    bool captureMouse = true;
    bool captureRelativeToScreen = true;
    bool captureTime = true;
    bool capturePrompt = true;
    bool captureWindowSize = true;
    bool captureGlobal = true;
    std::int32_t captureSpeed = 1;
    // Snipwords
    bool snipwordSolitaryUsage = false;
    bool snipwordCaseSensitive = true;
    bool snipwordUseSuffix = false;
    std::string snipwordPrefixKeys;
    // Main Window
    std::int32_t mainWidth = 640;
    std::int32_t mainHeight = 424;
    std::int32_t mainLeft = 0;
    std::int32_t mainTop = 0;
    std::int32_t col1Width = 112;
    std::int32_t col2Width = 168;
    std::int32_t col3Width = 132;
    bool useSpeed = false;
    // Fonts
    FontSetting gridTitleFont{0, "Arial", 12};
    FontSetting gridFont{0, "Arial", 10};
    FontSetting printListFont{0, "Arial", 10};
    // Script Page
    std::int32_t scriptWidth = 606;
    std::int32_t scriptHeight = 446;
    std::int32_t scriptLeft = 0;
    std::int32_t scriptTop = 0;
    // Network
    bool networkMode = false;
    bool autoSync = true;
    std::uint16_t syncMinutes = 10;
    // Scheduler
    bool useWaveFile = false;
    bool waveFileWait = false;
    std::string waveFile;
    std::uint16_t timerSeconds = 10;

    bool operator==(const Settings&) const = default;
};

}  // namespace qln
