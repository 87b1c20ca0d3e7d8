#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>

#include "core/Settings.h"

namespace qln::gui {

// A font of the settings as Qt draws it, and back.  The name is Windows-1252 in the settings; a positive size
// counts points, a negative one pixels, 0 leaves the desktop's size.
QFont toQFont(const FontSetting& setting);
// The colour is no part of a QFont: the setting keeps the one given.
FontSetting toFontSetting(const QFont& font, std::int32_t color);

// The setting's colour (a Windows colour value, 0x00BBGGRR).  Values with the high byte set name a system colour
// there; they come back invalid here, meaning "the palette's text colour".
QColor fontColor(const FontSetting& setting);

}  // namespace qln::gui
