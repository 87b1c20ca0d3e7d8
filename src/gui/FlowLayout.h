#pragma once

#include <QLayout>
#include <QList>

namespace qln::gui {

// A row of widgets that wraps onto further rows when the room is too narrow for one: the lettered buttons under
// the macro list stay whole on a small screen or at a high scale, and the window can be made as narrow as its
// widest button.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Lays the items out in `rect` (only measures unless `apply`); returns the height used.
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> items_;
};

}  // namespace qln::gui
