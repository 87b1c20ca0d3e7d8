#include "gui/list/MacroListHeader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include "core/Win1252.h"
#include "gui/list/MacroListDelegate.h"

namespace qln::gui {

MacroListHeader::MacroListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(1);
}

void MacroListHeader::setTitleFont(const QFont& font, const QColor& color) {
    setFont(font);
    color_ = color;
    viewport()->update();
}

void MacroListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    const QString text = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    drawCellText(painter, rect, utf8ToWin1252(text.toStdString()), font(), color_);
}

void MacroListHeader::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightPressed_ = true;
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void MacroListHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a quick double right click is a press all the same.
    if (event->button() == Qt::RightButton) return mousePressEvent(event);
    QHeaderView::mouseDoubleClickEvent(event);
}

void MacroListHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const bool pressedHere = rightPressed_;
        rightPressed_ = false;
        event->accept();
        if (pressedHere && rect().contains(event->position().toPoint()))
            emit rightClicked(logicalIndexAt(event->position().toPoint()));
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit leftReleased();
}

}  // namespace qln::gui
