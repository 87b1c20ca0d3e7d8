#include "gui/list/GridFont.h"

#include "core/Win1252.h"

namespace qln::gui {

QFont toQFont(const FontSetting& setting) {
    QFont font(QString::fromUtf8(win1252ToUtf8(setting.name).c_str()));
    if (setting.size > 0) font.setPointSize(setting.size);
    font.setBold(setting.bold);
    font.setItalic(setting.italic);
    font.setUnderline(setting.underline);
    font.setStrikeOut(setting.strikeout);
    return font;
}

QColor toQColor(std::int32_t colorRef, const QColor& systemColor) {
    const auto bits = static_cast<std::uint32_t>(colorRef);
    if (bits & 0xFF000000u) return systemColor;
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

}  // namespace qln::gui
