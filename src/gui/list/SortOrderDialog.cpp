#include "gui/list/SortOrderDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/Win1252.h"
#include "gui/DialogButtons.h"
#include "gui/ScreenPlace.h"

namespace qln::gui {

namespace {

struct ListDesign {
    const char* label;
    const char* name;  // the list; its buttons add "Up" and "Down"
};
constexpr ListDesign Lists[] = {{"Sort &By", "SortBy"}, {"&Activation Order", "Activation"}, {"&Scope Order", "Scope"}};

}  // namespace

SortOrderDialog::SortOrderDialog(Settings& settings, HelpFunction help, QWidget* parent)
    : QDialog(parent), settings_(settings), order_(settings), help_(std::move(help)) {
    setObjectName("TSortOrder");
    setWindowTitle("Sort Order");

    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const auto list = static_cast<SortOrder::List>(i);
        const QString name = Lists[i].name;
        lists_[i] = new QListWidget(this);
        lists_[i]->setObjectName(name + "List");
        lists_[i]->setSelectionMode(QAbstractItemView::SingleSelection);
        auto* label = new QLabel(Lists[i].label, this);
        label->setBuddy(lists_[i]);
        ups_[i] = new QPushButton("Up", this);
        ups_[i]->setObjectName(name + "Up");
        downs_[i] = new QPushButton("Down", this);
        downs_[i]->setObjectName(name + "Down");
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(ups_[i]);
        buttons->addWidget(downs_[i]);
        grid->addWidget(label, 0, i);
        grid->addWidget(lists_[i], 1, i);
        grid->addLayout(buttons, 2, i);

        connect(lists_[i], &QListWidget::itemSelectionChanged, this, [this, list] {
            const QList<QListWidgetItem*> chosen = lists_[list]->selectedItems();
            order_.select(list, chosen.isEmpty() ? -1 : lists_[list]->row(chosen.front()));
            ups_[list]->setEnabled(order_.upEnabled(list));
            downs_[list]->setEnabled(order_.downEnabled(list));
        });
        connect(ups_[i], &QPushButton::clicked, this, [this, list] { moveItem(list, true); });
        connect(downs_[i], &QPushButton::clicked, this, [this, list] { moveItem(list, false); });
        showList(list);
    }
    // Tall enough for the five scopes, no taller.
    for (QListWidget* list : lists_) list->setFixedHeight(list->sizeHintForRow(0) * 5 + 2 * list->frameWidth() + 4);

    headerSort_ = new QCheckBox("&Enable right clicking on column headers", this);
    headerSort_->setObjectName("HeaderSort");
    headerSort_->setChecked(order_.sortHeader);

    const DialogButtons buttons = okCancelHelpRow(
        this, [this] { OkButtonClick(); },
        [this] {
            if (help_) help_("tsortorder.html");
        });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(headerSort_);
    layout->addLayout(buttons.row);
}

void SortOrderDialog::showList(SortOrder::List list) {
    const QSignalBlocker quiet(lists_[list]);
    lists_[list]->clear();
    for (const std::string& item : order_.items(list))
        lists_[list]->addItem(QString::fromUtf8(win1252ToUtf8(item).c_str()));
    const int selected = order_.selected(list);
    if (selected >= 0) lists_[list]->setCurrentRow(selected);
    ups_[list]->setEnabled(order_.upEnabled(list));
    downs_[list]->setEnabled(order_.downEnabled(list));
}

void SortOrderDialog::moveItem(SortOrder::List list, bool up) {
    if (up)
        order_.up(list);
    else
        order_.down(list);
    showList(list);
}

void SortOrderDialog::OkButtonClick() {
    order_.sortHeader = headerSort_->isChecked();
    order_.store(settings_);
    accept();
}

void SortOrderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    keepOnScreenOnceFramed(this);
}

}  // namespace qln::gui
