#pragma once

#include <QColor>
#include <QHeaderView>

namespace qln::gui {

// The macro list's header row: drawn in the title font like the body cells (2 pixels in, shortened, no
// ellipsis), and telling the list about right clicks and about the end of a drag.
class MacroListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit MacroListHeader(QWidget* parent = nullptr);
    void setTitleFont(const QFont& font, const QColor& color);

signals:
    // A right button released over the header after it was pressed there; the section under the release.
    void rightClicked(int section);
    // The left button came up: a drag that resized a column is over.
    void leftReleased();

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor color_;
    bool rightPressed_ = false;
};

}  // namespace qln::gui
