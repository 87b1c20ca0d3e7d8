#pragma once

namespace qln {

// A window's outer rectangle (frame included), or a screen's available area, in the toolkit's coordinates.
struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect&) const = default;
};

// Where a window goes so that all of it is inside `area`: a place saved on a bigger screen or at another scale
// comes back within reach.  It keeps its size where that fits (shrunk to the area, never below `minWidth` by
// `minHeight`) and moves as little as it must; a window bigger than the area even at its minimum keeps its top
// left corner (title bar and menus) inside.
WindowRect keptInside(const WindowRect& window, const WindowRect& area, int minWidth = 0, int minHeight = 0);

}  // namespace qln
