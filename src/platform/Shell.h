#pragma once

#include <string>
#include <string_view>

namespace qln {

// The desktop's clipboard, shell and sounds.  Texts are Windows-1252.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual void setText(std::string_view text) = 0;
    virtual std::string text() const = 0;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a program (with arguments), a document or an address as the desktop's "open" does.
    virtual void open(std::string_view target, std::string_view arguments) = 0;
};

class ISound {
public:
    virtual ~ISound() = default;
    virtual void beep() = 0;
    // Plays a wave file; with waitUntilDone, returns when it has finished.  A file that cannot be played is
    // silently skipped (no fallback sound).
    virtual void playWave(std::string_view file, bool waitUntilDone) = 0;
};

}  // namespace qln
