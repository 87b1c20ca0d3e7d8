#include "ui/MacroList.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "store/HotKeyNames.h"
#include "ui/SortOrder.h"

namespace qln {

namespace {

constexpr std::size_t MaxTypeAhead = 255;

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = upperAscii(c);
    return upper;
}

// The 0-based place of an item in the order a sort setting gives.
std::size_t placeOf(int item, std::string_view digits, int count) {
    const std::vector<int> order = orderFromDigits(digits, count);
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), item) - order.begin());
}

// The prefixes make the chosen group order win over the names that follow them.
const char* const ActivationPrefixes[] = {"AAAA", "AAAz", "AAz"};
const char* const ScopePrefixes[] = {"AAAAAA", "AAAAAz", "AAAAz", "AAAz", "AAz"};

// In place, middle element as the pivot.  Rows with equal keys end up in the order this exact procedure leaves
// them, which users see; a stable sort would differ.
void quickSort(std::vector<int>& rows, std::vector<std::string>& keys, int left, int right) {
    int i = left;
    int j = right;
    const std::string pivot = keys[static_cast<std::size_t>((left + right) / 2)];
    do {
        while (keys[static_cast<std::size_t>(i)] < pivot) ++i;
        while (pivot < keys[static_cast<std::size_t>(j)]) --j;
        if (i <= j) {
            std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
            std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (left < j) quickSort(rows, keys, left, j);
    if (i < right) quickSort(rows, keys, i, right);
}

}  // namespace

std::string activationText(const MacroTable& table, int macro) {
    const int code = table.table().code(macro);
    if (code == HotKeyTimed) return "Timed Macro";
    if (code == HotKeySnipword) return table.snipword(macro);
    return hotKeyName(code);
}

std::string scopeText(const MacroTable& table, int macro) {
    switch (table.table().scope(macro)) {
        case ScopeGlobal:
            return "GLOBAL";
        case ScopeWindow:
            return "Window: " + table.table().name(macro);
        case ScopeProgram:
            return "Program: " + table.table().name(macro);
        case ScopePopupMenu:
            return "Popup Menu";
        case ScopeSystem:
            return "SYSTEM";
        default:
            return "";
    }
}

void MacroList::fill() {
    const int keep = selectedMacro();
    const int count = std::clamp(table_.count(), 0, MaxMacros);
    rows_.resize(static_cast<std::size_t>(count));
    std::iota(rows_.begin(), rows_.end(), 1);
    if (count > 1) sortRows();
    const int found = keep > 0 ? rowOf(keep) : 0;
    if (found > 0) selected_ = found;
    // Like any grid, the list always has a row selected while it has rows.
    selected_ = std::clamp(selected_, std::min(count, 1), count);
}

void MacroList::sortRows() {
    std::vector<std::string> keys;
    keys.reserve(rows_.size());
    for (int macro : rows_) keys.push_back(sortKey(macro));
    quickSort(rows_, keys, 0, static_cast<int>(rows_.size()) - 1);
}

std::string MacroList::sortKey(int macro) const {
    const TriggerTable& t = table_.table();
    const int code = t.code(macro);
    const int group = code == HotKeyTimed ? 3 : code == HotKeySnipword ? 2 : 1;
    std::string activation = ActivationPrefixes[placeOf(group, settings_.activationSort, 3)];
    if (group == 1) activation += upperAscii(hotKeyName(code));
    if (group == 2) activation += upperAscii(table_.snipword(macro));

    // A damaged scope kind gets no prefix at all.
    const int kind = t.scope(macro);
    std::string scope;
    if (kind >= ScopeGlobal && kind <= ScopeSystem) scope = ScopePrefixes[placeOf(kind, settings_.scopeSort, 5)];
    if (kind == ScopeWindow || kind == ScopeProgram) scope += upperAscii(t.name(macro));

    const std::string parts[] = {activation, upperAscii(table_.nickname(macro)), scope};
    std::string key;
    for (int criterion : orderFromDigits(settings_.primarySort, 3)) key += parts[criterion - 1];
    return key;
}

int MacroList::macroAt(int row) const {
    return row >= 1 && row < rowCount() ? rows_[static_cast<std::size_t>(row - 1)] : 0;
}

int MacroList::rowOf(int macro) const {
    const auto at = std::find(rows_.begin(), rows_.end(), macro);
    return at == rows_.end() ? 0 : static_cast<int>(at - rows_.begin()) + 1;
}

std::string MacroList::cellText(int row, int column) const {
    if (row == 0) {
        static const char* const headers[] = {"", "Activation", "Nickname", "Scope"};
        return column >= 0 && column <= 3 ? headers[column] : "";
    }
    const int macro = macroAt(row);
    if (macro == 0) return "";
    switch (column) {
        case 0:
            return std::to_string(row);
        case 1:
            return activationText(table_, macro);
        case 2:
            return table_.nickname(macro);
        case 3:
            return scopeText(table_, macro);
        default:
            return "";
    }
}

bool MacroList::deactivated(int row) const {
    const int macro = macroAt(row);
    return macro > 0 && table_.table().active(macro) == 0;
}

void MacroList::selectRow(int row) {
    if (macroAt(row) > 0) selected_ = row;
}

bool MacroList::key(ListKey key, char c) {
    if (key == ListKey::Character) {
        switch (c) {
            case '\b':
                key = ListKey::Backspace;
                break;
            case '\t':
                key = ListKey::Tab;
                break;
            case '\n':
                key = ListKey::LineFeed;
                break;
            case '\r':
                key = ListKey::Enter;
                break;
            case '\x1b':
                key = ListKey::Escape;
                break;
            default:
                break;
        }
    }
    switch (key) {
        case ListKey::Character:
            // Control characters (Ctrl with a letter) are not text.
            if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f' || typed_.size() >= MaxTypeAhead) return false;
            typed_ += upperAscii(c);
            break;
        case ListKey::Backspace:
            if (typed_.empty()) return false;
            typed_.pop_back();
            break;
        case ListKey::Other:
            return false;
        default:
            typed_.clear();
            return false;
    }
    const int before = selected_;
    search();
    return selected_ != before;
}

void MacroList::search() {
    // An empty buffer looks for nothing.
    if (typed_.empty()) return;
    for (int row = 1; row < rowCount(); ++row) {
        if (upperAscii(activationText(table_, macroAt(row))).starts_with(typed_)) {
            selected_ = row;
            return;
        }
    }
}

bool MacroList::headerRightClick(int column) {
    if (!settings_.sortHeader || rows_.empty() || column < 1 || column > 3) return false;
    if (orderFromDigits(settings_.primarySort, 3).front() == column) return false;
    static const char* const primaries[] = {"", "132", "213", "321"};
    settings_.primarySort = primaries[column];
    fill();
    return true;
}

std::string fitCellText(std::string text, int cellWidth, const std::function<int(std::string_view)>& textWidth) {
    while (!text.empty() && textWidth(text) > cellWidth - 2) text.pop_back();
    return text;
}

RowCommands CheckTimeItem(const MacroTable& table, int macro, RestrictedMode mode) {
    RowCommands commands;
    const bool exists = macro >= 1 && macro <= table.count();
    const int scope = exists ? table.table().scope(macro) : 0;
    const bool popup = scope == ScopePopupMenu;
    commands.modifyCaption = popup ? "Mo&dify Popup Menu" : "Modify &Directly";
    commands.modifyHint = popup ? "Modify Macro Popup Menu" : "Modify Macro Directly";
    if (!exists || mode != RestrictedMode::None || scope == ScopeSystem) return commands;
    commands.copy = commands.modifyDirectly = commands.remove = commands.activate = true;
    commands.recapture = !popup && table.table().code(macro) != HotKeyTimed;
    commands.scriptEditor = !popup;
    return commands;
}

ActivateCommand activateCommand(bool active) {
    if (active) return {"Deacti&vate Macro", "Deactivate Macro"};
    return {"Acti&vate Macro", "Activate Macro"};
}

}  // namespace qln
