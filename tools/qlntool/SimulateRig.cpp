#include "SimulateRig.h"

namespace qln::tool {

namespace {
const char* styleName(MenuStyle s) {
    return s == MenuStyle::MacroText ? "text" : s == MenuStyle::Icons ? "icons" : "names";
}
}  // namespace

int ScenarioMenu::showMacroMenu(const MacroMenuRequest& request) {
    std::string line = "menu";
    for (const int m : request.macros) line += " " + std::to_string(m);
    line += " style=" + std::string(styleName(request.style)) + " icons=" + std::to_string(request.iconSize);
    if (request.position >= 0) line += " at=" + std::to_string(request.position);
    trace_.add(line);
    const int choice = choices.empty() ? -1 : choices.front();
    if (!choices.empty()) choices.pop_front();
    // A key beyond the list does nothing; the user then cancels.
    if (choice < 0 || choice >= static_cast<int>(request.macros.size())) {
        trace_.add("menu cancelled");
        return -1;
    }
    const int chosen = request.macros[static_cast<std::size_t>(choice)];
    trace_.add("menu chose " + std::to_string(chosen));
    return chosen;
}

bool ScenarioHost::reloadChangedNetworkFile() {
    if (!networkChanged) return false;
    networkChanged = false;
    trace_.add("reload the shared macro file");
    macros_.SetHotKeys();
    return true;
}

std::optional<MacroRecord> ScenarioHost::readMacro(int n) {
    if (n < 1 || n > static_cast<int>(store_.records().size())) return std::nullopt;
    return store_.read(n);
}

SimulateRig::SimulateRig(const std::vector<MacroRecord>& records, const Settings& s) : settings(s) {
    host.useTrayMode = settings.useTray;
    playback.setUseTray(settings.useTray);
    desktop.pump().setHandler(this);
    store.load(records);
    desktop.hook().QlnUpInit(table.image());
    triggers.SetHotKeys();
}

void SimulateRig::handleMessage(const Message& m) {
    if (std::holds_alternative<hook::InUseCleared>(m)) {
        table.setInUse(false);
        desktop.trace().add("in use cleared");
        return;
    }
    if (!triggers.handleMessage(m)) playback.handleMessage(m);
}

}  // namespace qln::tool
