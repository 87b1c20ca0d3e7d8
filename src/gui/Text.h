#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qln::gui {

// Text of the program (Windows-1252 bytes) for Qt.  A text that is already valid UTF-8 (a path from the file
// system, a message naming one) is taken as it is.
QString toQString(std::string_view text);
// Text from Qt back to the program's code page.
std::string fromQString(const QString& text);

}  // namespace qln::gui
