#pragma once

#include <string>

#include "core/Settings.h"
#include "store/NetworkSync.h"

namespace qln {

// The Network dialog's logic: its three fields, and what closing it (by OK or Escape alike) stores.
class NetworkConsiderations {
public:
    struct Fields {
        bool NetworkOption = false;  // "&File Locking of Macro Files"
        bool AutoSync = false;       // "&Automatic Synchronization Updating"
        std::string Minutes;         // at most 2 characters
    };

    NetworkConsiderations(Settings& settings, NetworkSync& network) : settings_(settings), network_(network) {}

    Fields FormShow() const;
    // The other two controls follow File Locking.
    static bool otherControlsEnabled(const Fields& f) { return f.NetworkOption; }
    void FormClose(const Fields& f);

private:
    Settings& settings_;
    NetworkSync& network_;
};

}  // namespace qln
