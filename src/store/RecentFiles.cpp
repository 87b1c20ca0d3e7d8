#include "store/RecentFiles.h"

namespace qln {

void RecentFiles::DoLastFiles(const std::string& previous, const std::string& opened) {
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        if (entries_[k] != opened) continue;
        for (std::size_t j = k; j + 1 < entries_.size(); ++j) entries_[j] = entries_[j + 1];
        entries_.back().clear();
        break;
    }
    for (std::size_t j = entries_.size() - 1; j > 0; --j) entries_[j] = entries_[j - 1];
    entries_[0] = previous;
}

RecentFilesMenu RecentFiles::SetMenuLastFiles() const {
    RecentFilesMenu menu;
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        if (entries_[k].empty()) continue;
        menu.separatorVisible = true;
        menu.captions[k] = "&" + std::to_string(k + 1) + "   " + entries_[k];
    }
    return menu;
}

}  // namespace qln
