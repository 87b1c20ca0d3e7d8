#pragma once

#include <functional>
#include <optional>
#include <string>

#include "store/MacroRecord.h"

namespace qln {

// The one-line description of a timed macro's schedule.  The scheduler supplies it; without one the line is empty.
using ScheduleLine = std::function<std::string(const Schedule&)>;

// Which picture the Quick Info window shows for a macro.
enum class QuickInfoIcon { Program, Menu, File };

// Everything the Quick Info window shows for one macro, as texts in the record's Windows-1252 bytes.  The fixed
// labels ("Icon:", "NickName:", "Scope:", "Active:") belong to the form.
struct QuickInfo {
    std::string lastModified;  // "Last Modified On 2024-03-05 14:07"
    QuickInfoIcon icon = QuickInfoIcon::Program;
    std::string iconFile;      // the icon's path when icon is File
    std::string triggerLabel;  // "Hot Key:", "Snipword:" or "Timed Macro:"
    std::string trigger;       // the hot key's name, the Snipword or the schedule's line
    std::string nickname;
    std::string scope;
    std::string active;     // "Yes" or "No"
    std::string textLabel;  // "Macro Text:", empty when the text is hidden
    bool showText = true;   // false for Popup Menu and System macros: their text field holds no macro text
    std::string text;

    bool operator==(const QuickInfo&) const = default;
};

// What the Quick Info window shows for the record.  Icon files are looked for in programFolder + "/Icons".
QuickInfo quickInfoOf(const MacroRecord& record, const std::string& programFolder, const ScheduleLine& schedule = {});

// An icon file of the name in the folder; a file whose name differs only in case counts as well.  Nothing for a
// name that is not a plain file name.
std::optional<std::string> findIconFile(const std::string& folder, const std::string& name);

// The modified time as the window writes it: "yyyy-mm-dd hh:mm", the same on every desktop and in every language;
// empty for a time no calendar holds (a damaged record).
std::string shortDateTime(double modified);

// The scope as the window writes it: "GLOBAL", `NAME "Window" (Top Most Only)`, `NAME "Program" (If Running)`,
// "Popup Menu", "SYSTEM"; empty for a kind no macro has.
std::string quickInfoScope(const MacroRecord& record);

}  // namespace qln
