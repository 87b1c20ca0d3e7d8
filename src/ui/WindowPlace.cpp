#include "ui/WindowPlace.h"

#include <algorithm>

namespace qln {

namespace {

// One axis: the size shrunk to the room, the start moved into it.
void fit(int& start, int& size, int roomStart, int room, int minimum) {
    size = std::max(std::min(size, room), std::min(minimum, size));
    start = std::max(std::min(start, roomStart + room - size), roomStart);
}

}  // namespace

WindowRect keptInside(const WindowRect& window, const WindowRect& area, int minWidth, int minHeight) {
    if (area.width <= 0 || area.height <= 0) return window;
    WindowRect r = window;
    fit(r.left, r.width, area.left, area.width, minWidth);
    fit(r.top, r.height, area.top, area.height, minHeight);
    return r;
}

}  // namespace qln
