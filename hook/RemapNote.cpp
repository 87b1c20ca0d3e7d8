#include "hook/RemapNote.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/x11/ProcessNotes.h"
#include "platform/x11/XTestLeftovers.h"

namespace qln::hook {

std::string RemapNote::prefixOf(const std::string& displayName) {
    return x11::XTestLeftovers::folder() + "/remap-" + x11::noteName(displayName) + "-";
}

RemapNote::RemapNote(const std::string& displayName)
    : display_(displayName), path_(prefixOf(displayName) + std::to_string(::getpid())) {}

void RemapNote::write(const std::vector<RemappedLevel>& levels) const {
    if (levels.empty()) {
        remove();
        return;
    }
    std::ostringstream text;
    text << "pid " << ::getpid() << ' ' << x11::processStartTime(::getpid()) << '\n' << "display " << display_ << '\n';
    for (const auto& l : levels)
        text << "level " << int(l.at.keycode) << ' ' << int(l.at.group) << ' ' << int(l.at.level) << ' ' << l.original
             << ' ' << l.ours << '\n';
    const std::string tmp = path_ + ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << text.str();
        if (!out) return;  // a note we cannot write only costs the clean-up after a crash
    }
    std::rename(tmp.c_str(), path_.c_str());
}

void RemapNote::remove() const {
    ::unlink(path_.c_str());
}

int RemapNote::takeLeftovers(const std::string& displayName,
                             const std::function<void(const std::vector<RemappedLevel>&)>& undo) {
    const std::string prefix = prefixOf(displayName);
    const std::string own = prefix + std::to_string(::getpid());
    std::vector<std::string> notes;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(x11::XTestLeftovers::folder(), ec)) {
        const std::string path = entry.path().string();
        if (path.rfind(prefix, 0) == 0 && path != own && path.find(".tmp") == std::string::npos) notes.push_back(path);
    }
    int taken = 0;
    for (const std::string& path : notes) {
        std::ifstream in(path);
        std::string word, started;
        long pid = 0;
        if (!(in >> word >> pid >> started) || word != "pid") {
            ::unlink(path.c_str());
            continue;
        }
        if (x11::processRunning(pid, started)) continue;
        std::vector<RemappedLevel> levels;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            int keycode = 0, group = 0, level = 0;
            unsigned long original = 0, ours = 0;
            if (!(fields >> word >> keycode >> group >> level >> original >> ours) || word != "level") continue;
            if (keycode < 8 || keycode > 255 || group < 0 || group > 3 || level < 0 || level > 63) continue;
            levels.push_back({{static_cast<std::uint8_t>(keycode), static_cast<std::uint8_t>(group),
                               static_cast<std::uint8_t>(level)},
                              original,
                              ours});
        }
        undo(levels);
        ::unlink(path.c_str());
        ++taken;
    }
    return taken;
}

}  // namespace qln::hook
