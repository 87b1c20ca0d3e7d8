#include "gui/FontSetting.h"

#include <QString>

#include "core/Win1252.h"

namespace qln::gui {

QFont toQFont(const FontSetting& setting) {
    QFont font(QString::fromStdString(win1252ToUtf8(setting.name)));
    if (setting.size > 0)
        font.setPointSize(setting.size);
    else if (setting.size < 0)
        font.setPixelSize(-setting.size);
    font.setBold(setting.bold);
    font.setItalic(setting.italic);
    font.setUnderline(setting.underline);
    font.setStrikeOut(setting.strikeout);
    return font;
}

FontSetting toFontSetting(const QFont& font, std::int32_t color) {
    FontSetting setting;
    setting.color = color;
    setting.name = utf8ToWin1252(font.family().toStdString());
    if (font.pointSize() > 0)
        setting.size = font.pointSize();
    else if (font.pixelSize() > 0)
        setting.size = -font.pixelSize();
    else
        setting.size = 0;
    setting.bold = font.bold();
    setting.italic = font.italic();
    setting.underline = font.underline();
    setting.strikeout = font.strikeOut();
    return setting;
}

QColor fontColor(const FontSetting& setting) {
    const auto value = static_cast<std::uint32_t>(setting.color);
    if (value & 0xFF000000u) return {};
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace qln::gui
