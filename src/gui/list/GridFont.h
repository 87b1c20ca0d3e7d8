#pragma once

#include <QColor>
#include <QFont>

#include "core/Settings.h"

namespace qln::gui {

// A font of the settings as Qt draws it: family (Windows-1252), size in points, the four styles.
QFont toQFont(const FontSetting& setting);

// A stored colour: a Windows COLORREF (0x00BBGGRR).  Values with the top byte set name a system colour, for which
// the caller's palette colour stands in.
QColor toQColor(std::int32_t colorRef, const QColor& systemColor);

}  // namespace qln::gui
