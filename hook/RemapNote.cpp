#include "hook/RemapNote.h"

#include <unistd.h>

#include <sstream>

namespace qln::hook {

RemapNote::RemapNote(x11::X11Display& display)
    : self_(x11::NoteWriter::self(display)), name_(prefixOf(self_.display) + std::to_string(::getpid())) {}

std::string RemapNote::prefixOf(const std::string& displayName) {
    return "remap-" + x11::noteName(displayName) + "-";
}

void RemapNote::write(const std::vector<RemappedLevel>& levels) const {
    if (levels.empty()) {
        remove();
        return;
    }
    std::ostringstream text;
    text << self_.lines();
    for (const auto& l : levels)
        text << "level " << int(l.at.keycode) << ' ' << int(l.at.group) << ' ' << int(l.at.level) << ' ' << l.original
             << ' ' << l.ours << '\n';
    // A note we cannot write only costs the clean-up after a crash.
    folder_.write(name_, text.str());
}

void RemapNote::remove() const {
    folder_.remove(name_);
}

std::string RemapNote::path() const {
    return folder_.path() + "/" + name_;
}

int RemapNote::takeLeftovers(x11::X11Display& display,
                             const std::function<void(const std::vector<RemappedLevel>&)>& undo) {
    const posix::RuntimeFolder folder;
    const x11::NoteWriter self = x11::NoteWriter::self(display);
    const std::string own = prefixOf(self.display) + std::to_string(::getpid());
    int taken = 0;
    for (const std::string& name : folder.names(prefixOf(self.display))) {
        if (name == own) continue;
        const auto content = folder.read(name);
        if (!content) continue;  // not a file of ours: never acted on
        std::istringstream in(*content);
        const x11::NoteFate fate = x11::fateOf(x11::NoteWriter::read(in), self);
        if (fate == x11::NoteFate::Keep) continue;
        if (fate == x11::NoteFate::Undo) {
            std::vector<RemappedLevel> levels;
            std::string line, word;
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
            ++taken;
        }
        folder.remove(name);
    }
    return taken;
}

}  // namespace qln::hook
