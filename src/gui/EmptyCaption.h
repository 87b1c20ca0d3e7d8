#pragma once

class QWidget;

namespace qln::gui {

// Gives a window that is not shown yet an empty caption.  Qt never leaves a title empty (it puts the program's
// name in its place), so on X11 the name is taken off the window itself before the window manager sees it.
void clearCaption(QWidget* window);

}  // namespace qln::gui
