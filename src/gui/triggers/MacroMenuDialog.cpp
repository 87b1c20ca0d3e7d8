#include "gui/triggers/MacroMenuDialog.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/Text.h"

namespace qln::gui {

namespace {

constexpr int PositionRole = Qt::UserRole + 1;

QIcon iconOf(const MenuEntry& e) {
    switch (e.icon) {
        case MenuIcon::Menu:
            return QIcon(":/icons/menu.svg");
        case MenuIcon::File:
            return QIcon(toQString(e.iconFile));
        case MenuIcon::Program:
            break;
    }
    return QIcon(":/icons/quillon.svg");
}

// One row: its key on a grey field, the text cut to fit, and in the nickname style the scope behind it.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(const MacroMenuModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {MacroMenuModel::NarrowWidth - 8, MacroMenuModel::RowHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const MenuEntry& e = model_.entries()[static_cast<std::size_t>(index.data(PositionRole).toInt())];
        const QRect row = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        p->save();
        p->fillRect(row, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        const QRect key(row.left(), row.top(), MacroMenuModel::RowHeight, row.height());
        p->fillRect(key, QColor(192, 192, 192));
        p->setPen(Qt::black);
        p->drawText(key, Qt::AlignCenter, QString(QChar(e.key)));
        p->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QFontMetrics metrics(option.font);
        const auto measure = [&](const std::string& s) { return metrics.horizontalAdvance(toQString(s)); };
        const int textLeft = key.right() + 4;
        const bool withScope = model_.style() != MenuStyle::MacroText;
        const int textEnd = withScope ? row.left() + MacroMenuModel::scopeColumn(row.width()) : row.right();
        const std::string label = MacroMenuModel::fitText(e.label, textEnd - textLeft - 2, measure);
        p->drawText(QRect(textLeft, row.top(), textEnd - textLeft, row.height()), Qt::AlignVCenter | Qt::AlignLeft,
                    toQString(label));
        if (withScope) {
            const QRect scope(textEnd, row.top(), row.right() - textEnd, row.height());
            p->drawText(scope, Qt::AlignVCenter | Qt::AlignLeft,
                        toQString(MacroMenuModel::fitText(e.scope, scope.width(), measure)));
        }
        p->restore();
    }

private:
    const MacroMenuModel& model_;
};

}  // namespace

MacroMenuDialog::MacroMenuDialog(MacroMenuModel model, int clickX, QWidget* parent)
    : QDialog(parent), model_(std::move(model)), clickX_(clickX) {
    setObjectName("TDoAMenu");
    setWindowTitle("Choose A Macro");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (model_.style() == MenuStyle::Icons) {
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(buildButtons());
        cancel->setFixedHeight(MacroMenuModel::CancelRowHeight);
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(cancel);
        row->addStretch();
        layout->addLayout(row);
    } else {
        layout->addWidget(buildLists());
        auto* message = new QLabel("Double Click or Press Number or Letter", this);
        message->setObjectName("MessageLabel");
        auto* row = new QHBoxLayout;
        row->addWidget(message);
        row->addStretch();
        row->addWidget(cancel);
        layout->addLayout(row);
    }
}

QListWidget* MacroMenuDialog::buildList(const char* name, int first, int last, int height) {
    auto* list = new QListWidget(this);
    list->setObjectName(name);
    list->setItemDelegate(new RowDelegate(model_, list));
    list->setFixedSize(MacroMenuModel::NarrowWidth, height);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    for (int i = first; i < last; ++i) {
        auto* item = new QListWidgetItem(toQString(model_.entries()[static_cast<std::size_t>(i)].label), list);
        item->setData(PositionRole, i);
    }
    if (list->count() > 0) list->setCurrentRow(0);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { choose(item->data(PositionRole).toInt()); });
    return list;
}

QWidget* MacroMenuDialog::buildLists() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(MacroMenuModel::WideWidth - 2 * MacroMenuModel::NarrowWidth);
    if (model_.style() == MenuStyle::MacroText) {
        auto* heading = new QLabel("Macro Text", area);
        heading->setObjectName("Heading");
        grid->addWidget(heading, 0, 0);
    }
    grid->addWidget(buildList("Script", 0, model_.scriptRows(), model_.scriptHeight()), 1, 0, Qt::AlignTop);
    if (model_.twoLists())
        grid->addWidget(buildList("Script2", MacroMenuModel::ListRows, model_.count(), model_.script2Height()), 1, 1,
                        Qt::AlignTop);
    return area;
}

QWidget* MacroMenuDialog::buildButtons() {
    auto* area = new QWidget(this);
    area->setObjectName("IconArea");
    const int side = model_.buttonSide();
    area->setFixedSize(model_.clientWidth(), model_.iconRows() * side);
    for (int i = 0; i < model_.count(); ++i) {
        const MenuEntry& e = model_.entries()[static_cast<std::size_t>(i)];
        auto* button = new QToolButton(area);
        button->setObjectName(QString("Icon%1").arg(QChar(e.key)));
        button->setIcon(iconOf(e));
        button->setIconSize(QSize(side - 4, side - 4));
        button->setToolTip(toQString(e.hint));
        button->setGeometry((i % MacroMenuModel::ButtonsPerRow) * side, (i / MacroMenuModel::ButtonsPerRow) * side,
                            side, side);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, i] { choose(i); });
    }
    return area;
}

bool MacroMenuDialog::keyTyped(const QString& text) {
    if (text.size() != 1 || !text[0].isPrint()) return false;
    const int position = model_.positionForKey(text[0].unicode());
    if (position >= 0) choose(position);
    // Printable keys never reach the lists, whose own search by letter would only move the selection.
    return true;
}

void MacroMenuDialog::keyPressEvent(QKeyEvent* event) {
    if (keyTyped(event->text())) return;
    QDialog::keyPressEvent(event);
}

bool MacroMenuDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && keyTyped(static_cast<QKeyEvent*>(event)->text())) return true;
    return QDialog::eventFilter(watched, event);
}

void MacroMenuDialog::choose(int position) {
    const int macro = model_.macroAt(position);
    if (macro < 0) return;
    chosen_ = macro;
    accept();
}

void MacroMenuDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QScreen* where = clickX_ >= 0 ? QGuiApplication::screenAt(QPoint(clickX_, 0)) : nullptr;
    if (where == nullptr) where = screen();
    if (where != nullptr) {
        const QRect area = where->availableGeometry();
        const QRect frame = frameGeometry();
        const MenuRect placed = MacroMenuModel::place(frame.width(), frame.height(),
                                                      {area.x(), area.y(), area.width(), area.height()}, clickX_);
        move(placed.x, placed.y);
    }
    raise();
    activateWindow();
}

}  // namespace qln::gui
