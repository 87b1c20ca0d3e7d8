#pragma once

#include <string>
#include <vector>

namespace qln {

// Whether Quillon starts with the desktop session: its entry "quillon.desktop" in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart), which the desktops run at login.
class Autostart {
public:
    explicit Autostart(std::string folder);
    // The user's autostart folder, from the environment.
    static Autostart forThisUser();

    const std::string& entryPath() const { return entryPath_; }

    // The entry is there and not switched off: a desktop's own settings switch an entry off by writing
    // "Hidden=true" (or GNOME's "X-GNOME-Autostart-enabled=false") into it rather than removing it.
    bool isOn() const;
    // Writes the entry, starting the program (this program when empty) with the arguments; makes the folder when
    // missing.  Throws FileError.
    void switchOn(const std::string& programPath = {}, const std::vector<std::string>& arguments = {}) const;
    // Removes the entry; nothing to do when there is none.  Throws FileError.
    void switchOff() const;

    // The entry's text: the program and its arguments quoted as a desktop entry's Exec needs them.
    static std::string entryText(const std::string& programPath, const std::vector<std::string>& arguments);

private:
    std::string folder_;
    std::string entryPath_;
};

}  // namespace qln
