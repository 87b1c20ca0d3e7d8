#pragma once

#include <string_view>

class QWidget;

namespace qln::gui {

// A message box that does not wait for the user: the program goes on (its hot keys keep working) while it is
// open, and it goes away when the user closes it.
void showLooseMessage(std::string_view caption, std::string_view text, QWidget* parent = nullptr);

}  // namespace qln::gui
