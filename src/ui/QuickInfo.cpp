#include "ui/QuickInfo.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "core/DateTime.h"
#include "store/HotKeyNames.h"

namespace qln {

namespace {

// 1 January 0001 and 31 December 9999 as date-time doubles: beyond them a stored time is damage.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958466.0;

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

// Names come from Windows, which ignores case ("SMILEY.ICO" for smiley.ico).
std::optional<std::string> findIconFile(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return std::nullopt;
    std::error_code ec;
    const fs::path exact = fs::path(folder) / name;
    if (fs::is_regular_file(exact, ec)) return exact.string();
    const std::string wanted = upper(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (upper(it->path().filename().string()) == wanted && fs::is_regular_file(it->path(), typeError))
            return it->path().string();
    }
    return std::nullopt;
}

std::string shortDateTime(double modified) {
    if (!std::isfinite(modified) || modified < FirstDay || modified >= LastDay) return {};
    const LocalDateTime t = fromDateTime(modified);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::string quickInfoScope(const MacroRecord& record) {
    const std::string running = record.topMostOnly ? " (Top Most Only)" : " (If Running)";
    switch (record.scope) {
        case ScopeGlobal:
            return "GLOBAL";
        case ScopeWindow:
            return record.windowName + " \"Window\"" + running;
        case ScopeProgram:
            return record.windowName + " \"Program\"" + running;
        case ScopePopupMenu:
            return "Popup Menu";
        case ScopeSystem:
            return "SYSTEM";
        default:
            return {};
    }
}

QuickInfo quickInfoOf(const MacroRecord& record, const std::string& programFolder, const ScheduleLine& schedule) {
    QuickInfo info;
    info.lastModified = "Last Modified On " + shortDateTime(record.modified);

    if (record.iconName == "MENU") {
        info.icon = QuickInfoIcon::Menu;
    } else if (record.iconName != "MAIN") {
        if (auto file = findIconFile(programFolder + "/Icons", record.iconName)) {
            info.icon = QuickInfoIcon::File;
            info.iconFile = *file;
        }
    }

    if (record.hotKeyCode == HotKeyTimed) {
        info.triggerLabel = "Timed Macro:";
        if (schedule) info.trigger = schedule(record.schedule);
    } else if (record.hotKeyCode == HotKeySnipword) {
        info.triggerLabel = "Snipword:";
        info.trigger = record.snipword;
    } else {
        info.triggerLabel = "Hot Key:";
        info.trigger = hotKeyName(record.hotKeyCode);
    }

    info.nickname = record.nickname;
    info.scope = quickInfoScope(record);
    info.active = record.active ? "Yes" : "No";
    info.showText = record.scope != ScopePopupMenu && record.scope != ScopeSystem;
    if (info.showText) {
        info.textLabel = "Macro Text:";
        info.text = record.text();
    }
    return info;
}

}  // namespace qln
