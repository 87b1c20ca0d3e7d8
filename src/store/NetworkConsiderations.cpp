#include "store/NetworkConsiderations.h"

#include "core/SettingsFile.h"

namespace qln {

NetworkConsiderations::Fields NetworkConsiderations::FormShow() const {
    return {settings_.networkMode, settings_.autoSync, std::to_string(settings_.syncMinutes)};
}

void NetworkConsiderations::FormClose(const Fields& f) {
    const bool wasNetwork = settings_.networkMode;
    const bool wasAutoSync = network_.syncTimerRunning();
    settings_.networkMode = f.NetworkOption;
    settings_.autoSync = f.AutoSync;
    std::string minutes = f.Minutes.substr(0, 2);
    while (!minutes.empty() && minutes.back() == ' ') minutes.pop_back();
    settings_.syncMinutes = static_cast<std::uint16_t>(readProfileInt(minutes));
    if (settings_.syncMinutes == 0) settings_.autoSync = false;
    if (settings_.autoSync)
        network_.startSyncTimer(settings_.syncMinutes, !wasAutoSync);
    else
        network_.stopSyncTimer();
    network_.setNetworkMode(settings_.networkMode);
    if (settings_.networkMode && !wasNetwork) network_.adoptFile(settings_.currentFile);
}

}  // namespace qln
