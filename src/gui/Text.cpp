#include "gui/Text.h"

#include "core/Win1252.h"

namespace qln::gui {

namespace {
bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}
}  // namespace

QString toQString(std::string_view text) {
    if (validUtf8(text)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const std::string utf8 = win1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQString(const QString& text) { return utf8ToWin1252(text.toUtf8().toStdString()); }

}  // namespace qln::gui
