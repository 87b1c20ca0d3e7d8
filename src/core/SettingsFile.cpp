#include "core/SettingsFile.h"

#include <cerrno>
#include <filesystem>
#include <limits>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "platform/File.h"

namespace qln {

namespace {

enum class Kind { Flag, Int, Int16, Text };

// One key of the file: where it lives, how it is read, its default, and the field it fills.
struct Key {
    const char* section;
    const char* name;
    Kind kind;
    const char* defaultValue;
    std::size_t width = 0;    // texts: characters kept
    std::size_t buffer = 15;  // characters read, the last one being the terminator
    bool& (*flag)(Settings&) = nullptr;
    std::int32_t& (*integer)(Settings&) = nullptr;
    std::uint16_t& (*int16)(Settings&) = nullptr;
    std::string& (*text)(Settings&) = nullptr;
};

#define QLN_FLAG(sec, key, def, field) Key{sec, key, Kind::Flag, def, 0, 15, [](Settings& s) -> bool& { return s.field; }}
#define QLN_INT(sec, key, def, field, buf) \
    Key{sec, key, Kind::Int, def, 0, buf, nullptr, [](Settings& s) -> std::int32_t& { return s.field; }}
#define QLN_INT16(sec, key, def, field) \
    Key{sec, key, Kind::Int16, def, 0, 15, nullptr, nullptr, [](Settings& s) -> std::uint16_t& { return s.field; }}
#define QLN_TEXT(sec, key, def, field, width, buf) \
    Key{sec, key, Kind::Text, def, width, buf, nullptr, nullptr, nullptr, [](Settings& s) -> std::string& { return s.field; }}

#define QLN_FONT(sec, font, defaultSize)                                                                \
    QLN_INT(sec, "Color", "0", font.color, 150), QLN_TEXT(sec, "Font Name", "Arial", font.name, 149, 150), \
        QLN_INT(sec, "Size", defaultSize, font.size, 150), QLN_FLAG(sec, "Bold", "No", font.bold),         \
        QLN_FLAG(sec, "Italic", "No", font.italic)

const Key kKeys[] = {
    QLN_INT("Misc", "System Menu", "1", systemMenu, 15),
    QLN_FLAG("Misc", "Sort Header", "Yes", sortHeader),
    QLN_TEXT("Misc", "Primary Sort", "123", primarySort, 3, 15),
    QLN_TEXT("Misc", "Activation Sort", "123", activationSort, 3, 15),
    QLN_TEXT("Misc", "Scope Sort", "12345", scopeSort, 5, 15),
    QLN_INT("Misc", "Last Date Format", "0", lastDateFormat, 15),
    QLN_INT("Misc", "Last Time Format", "0", lastTimeFormat, 15),
    QLN_FLAG("Misc", "Suppress Zeros In Date", "Yes", suppressZerosInDate),
    QLN_FLAG("Misc", "Suppress Zeros In Time", "Yes", suppressZerosInTime),
    QLN_FLAG("Misc", "Show Date", "No", showDate),
    QLN_FLAG("Misc", "Use Tray", "No", useTray),
    QLN_FLAG("Misc", "Disable Screen Saver", "Yes", disableScreenSaver),
    QLN_TEXT("Misc", "Current File", "", currentFile, 255, 250),
    QLN_TEXT("Misc", "Last File 1", "", lastFiles[0], 255, 255),
    QLN_TEXT("Misc", "Last File 2", "", lastFiles[1], 255, 255),
    QLN_TEXT("Misc", "Last File 3", "", lastFiles[2], 255, 255),
    QLN_TEXT("Misc", "Last File 4", "", lastFiles[3], 255, 255),
    QLN_TEXT("Misc", "Last File 5", "", lastFiles[4], 255, 255),
    QLN_FLAG("Capture", "Double Alt", "Yes", captureDoubleAlt),
    QLN_FLAG("Capture", "Keys", "Yes", captureKeys),
    QLN_FLAG("Capture", "Mouse", "Yes", captureMouse),
    QLN_FLAG("Capture", "Relative To Screen", "Yes", captureRelativeToScreen),
    QLN_FLAG("Capture", "Time", "Yes", captureTime),
    QLN_FLAG("Capture", "Prompt", "Yes", capturePrompt),
    QLN_FLAG("Capture", "Window Size", "Yes", captureWindowSize),
    QLN_FLAG("Capture", "Global", "Yes", captureGlobal),
    QLN_INT("Capture", "Speed", "1", captureSpeed, 15),
    QLN_FLAG("Snipwords", "Solitary Usage", "No", snipwordSolitaryUsage),
    QLN_FLAG("Snipwords", "Case Sensative", "Yes", snipwordCaseSensitive),
    QLN_FLAG("Snipwords", "Use Suffix", "No", snipwordUseSuffix),
    QLN_TEXT("Snipwords", "Prefix Keys", "", snipwordPrefixKeys, 2, 250),
    QLN_INT("Main Window", "Width", "640", mainWidth, 15),
    QLN_INT("Main Window", "Height", "424", mainHeight, 15),
    QLN_INT("Main Window", "Left", "0", mainLeft, 15),
    QLN_INT("Main Window", "Top", "0", mainTop, 15),
    QLN_INT("Main Window", "Col 1 Width", "112", col1Width, 15),
    QLN_INT("Main Window", "Col 2 Width", "168", col2Width, 15),
    QLN_INT("Main Window", "Col 3 Width", "132", col3Width, 15),
    QLN_FLAG("Main Window", "Use Speed", "No", useSpeed),
    QLN_FONT("Grid Title Font", gridTitleFont, "12"),
    QLN_FLAG("Grid Title Font", "Underline", "No", gridTitleFont.underline),
    QLN_FLAG("Grid Title Font", "Strikeout", "No", gridTitleFont.strikeout),
    QLN_FONT("Grid Font", gridFont, "10"),
    QLN_FLAG("Grid Font", "Underline", "No", gridFont.underline),
    QLN_FLAG("Grid Font", "Strikeout", "No", gridFont.strikeout),
    QLN_INT("Script Page", "Width", "606", scriptWidth, 15),
    QLN_INT("Script Page", "Height", "446", scriptHeight, 15),
    QLN_INT("Script Page", "Left", "0", scriptLeft, 15),
    QLN_INT("Script Page", "Top", "0", scriptTop, 15),
    QLN_FLAG("Network", "Network Mode", "No", networkMode),
    QLN_FLAG("Network", "Auto Sync", "Yes", autoSync),
    QLN_INT16("Network", "Sync Minutes", "10", syncMinutes),
    QLN_FONT("Print List Font", printListFont, "10"),
    QLN_FLAG("Scheduler", "Use Wave File", "No", useWaveFile),
    QLN_FLAG("Scheduler", "Wave File Wait", "No", waveFileWait),
    QLN_TEXT("Scheduler", "Wave File", "", waveFile, 255, 250),
    QLN_INT16("Scheduler", "Timer Seconds", "10", timerSeconds),
};

}  // namespace

bool readFlag(std::string_view v) {
    return v.size() == 3 && (v[0] == 'Y' || v[0] == 'y') && (v[1] == 'E' || v[1] == 'e') && (v[2] == 'S' || v[2] == 's');
}

std::int32_t readProfileInt(std::string_view v) {
    std::size_t i = 0;
    while (i < v.size() && v[i] == ' ') ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
    std::int64_t value = 0;
    std::size_t digits = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i, ++digits)
        value = std::min<std::int64_t>(value * 10 + (v[i] - '0'), std::numeric_limits<std::int32_t>::max());
    if (digits == 0) return 0;
    if (i != v.size()) return static_cast<std::int32_t>(value);  // stray characters: the digits, without the sign
    return static_cast<std::int32_t>(negative ? -value : value);
}

Settings readSettings(const IniFile& file, const Paths& paths) {
    Settings s;
    for (const Key& k : kKeys) {
        std::string value = file.get(k.section, k.name).value_or(k.defaultValue);
        if (value.size() > k.buffer - 1) value.resize(k.buffer - 1);
        switch (k.kind) {
            case Kind::Flag:
                k.flag(s) = readFlag(value);
                break;
            case Kind::Int:
                k.integer(s) = readProfileInt(value);
                break;
            case Kind::Int16:
                k.int16(s) = static_cast<std::uint16_t>(readProfileInt(value));
                break;
            case Kind::Text:
                if (value.size() > k.width) value.resize(k.width);
                k.text(s) = std::move(value);
                break;
        }
    }
    if (s.currentFile.empty()) s.currentFile = paths.defaultMacroFile();
    if (s.timerSeconds == 0 || s.timerSeconds > 60) s.timerSeconds = 10;
    // A folder, a device or a dangling link holds no macros: start with the default set as for a missing file.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(s.currentFile, ec)) s.currentFile = paths.defaultMacroFile();
    return s;
}

void writeSettings(const Settings& settings, IniFile& file) {
    Settings s = settings;  // the accessors hand out references; work on a copy
    for (const Key& k : kKeys) {
        switch (k.kind) {
            case Kind::Flag:
                file.set(k.section, k.name, k.flag(s) ? "Yes" : "No");
                break;
            case Kind::Int:
                file.set(k.section, k.name, std::to_string(k.integer(s)));
                break;
            case Kind::Int16:
                file.set(k.section, k.name, std::to_string(k.int16(s)));
                break;
            case Kind::Text:
                file.set(k.section, k.name, k.text(s));
                break;
        }
    }
}

Settings loadSettingsFile(const Paths& paths) {
    const std::string path = paths.settingsFile();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return readSettings(IniFile{}, paths);
    return readSettings(IniFile::parse(readWholeFile(path)), paths);
}

bool saveSettingsFile(const Settings& settings, const Paths& paths) {
    const std::string path = paths.settingsFile();
    IniFile file;
    if (const FileInfo info = fileInfo(path); info.exists()) {
        // Its folder would let us replace it, but the user said no.
        if (info.kind == FileKind::Regular && !mayWrite(path)) return false;
        file = IniFile::parse(readWholeFile(path));
    }
    writeSettings(settings, file);
    replaceFileContent(path, file.serialize());
    return true;
}

}  // namespace qln
