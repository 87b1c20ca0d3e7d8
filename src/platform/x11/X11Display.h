#pragma once

#include <string>

struct _XDisplay;

namespace qln::x11 {

// The connection to the X server.  X11 headers stay inside the .cpp files of this folder.
class X11Display {
public:
    // Opens $DISPLAY (or the given name); throws std::runtime_error when no server answers.
    explicit X11Display(const std::string& name = {});
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    _XDisplay* get() const { return display_; }
    int fd() const;
    // Waits until everything sent has been handled by the server.
    void sync() const;
    // Sends what is buffered and blocks until events arrive that are not queued yet, or timeoutMs passes.  For
    // waits that take only their own events and leave the rest queued for the event loop.  Events Xlib read
    // on the way while sending count as arrived: they would not wake poll().
    void awaitNewEvents(int timeoutMs) const;

private:
    _XDisplay* display_;
};

}  // namespace qln::x11
