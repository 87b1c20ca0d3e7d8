#pragma once

#include "ui/RestoreHooks.h"

class QWidget;

namespace qln::gui {

// Asks, with Yes and No, whether to install the keyboard or mouse hooks again; true for Yes.
bool askRestoreHooks(HooksToRestore hooks, QWidget* parent = nullptr);

}  // namespace qln::gui
