#pragma once

#include <QStyledItemDelegate>

#include <string>

namespace qln::gui {

// Draws a cell's text 2 pixels right of its left edge, shortened by whole characters until it fits (no ellipsis).
// The text is Windows-1252.
void drawCellText(QPainter* painter, const QRect& cell, const std::string& text, const QFont& font,
                  const QColor& color);

// Body cells of the macro list: highlight behind a selected row; the model's font and colour for a deactivated
// macro, else the highlight-text or the text colour.
class MacroListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qln::gui
