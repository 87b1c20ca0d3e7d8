#pragma once

class QWidget;

namespace qln::gui {

// Brings a top-level window, frame included, inside the available area of the screen it is on (the one under its
// centre, else its own or the primary one): a place restored from the settings, computed for another screen or
// saved at another scale comes back within reach.
void keepOnScreen(QWidget* window);

// The same now and once more when the window manager has put its frame round the window (a title bar above the
// top of the screen is out of reach): for a window being shown.
void keepOnScreenOnceFramed(QWidget* window);

}  // namespace qln::gui
