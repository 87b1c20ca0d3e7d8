#include "gui/list/MacroListDelegate.h"

#include <QFontMetrics>
#include <QPainter>

#include "core/Win1252.h"
#include "gui/list/MacroListModel.h"
#include "ui/MacroList.h"

namespace qln::gui {

namespace {

QString toQString(std::string_view win1252) {
    const std::string utf8 = win1252ToUtf8(win1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

void drawCellText(QPainter* painter, const QRect& cell, const std::string& text, const QFont& font,
                  const QColor& color) {
    const QFontMetrics metrics(font);
    const std::string shown =
        fitCellText(text, cell.width(), [&](std::string_view t) { return metrics.horizontalAdvance(toQString(t)); });
    painter->save();
    painter->setClipRect(cell);
    painter->setFont(font);
    painter->setPen(color);
    painter->drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      toQString(shown));
    painter->restore();
}

void MacroListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QColor color = foreground.isValid()
                             ? foreground.value<QColor>()
                             : option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QByteArray bytes = index.data(MacroListModel::CellBytesRole).toByteArray();
    drawCellText(painter, option.rect, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                 index.data(Qt::FontRole).value<QFont>(), color);
}

}  // namespace qln::gui
