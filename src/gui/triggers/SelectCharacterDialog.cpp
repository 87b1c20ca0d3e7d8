#include "gui/triggers/SelectCharacterDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Win1252.h"
#include "gui/DialogButtons.h"
#include "ui/SelectCharacter.h"

namespace qln::gui {

namespace sc = selectcharacter;

SelectCharacterDialog::SelectCharacterDialog(int current, int rowTop, int rowHeight, ShowHelp help, QWidget* parent)
    : QDialog(parent), rowTop_(rowTop), rowHeight_(rowHeight), help_(std::move(help)) {
    setObjectName("TDoSwapSpecial");
    setWindowTitle("Select Character");
    setModal(true);

    grid_ = new QTableWidget(sc::Rows, sc::Columns, this);
    grid_->setObjectName("CharGrid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Square cells as high as a line of text: the header's own minimum section width (wider than such a cell in
    // most styles) would push the last columns out of sight.
    const int side = grid_->fontMetrics().height() + 6;
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    for (int row = 0; row < sc::Rows; ++row) {
        grid_->setRowHeight(row, side);
        for (int column = 0; column < sc::Columns; ++column) {
            const auto byte = static_cast<unsigned char>(sc::characterAt(row, column));
            auto* item = new QTableWidgetItem(QString::fromUcs4(std::u32string(1, win1252ToCodePoint(byte)).data(), 1));
            item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(row, column, item);
        }
    }
    for (int column = 0; column < sc::Columns; ++column) grid_->setColumnWidth(column, side);
    grid_->setFixedSize(grid_->horizontalHeader()->length() + 2 * grid_->frameWidth(),
                        grid_->verticalHeader()->length() + 2 * grid_->frameWidth());
    if (const sc::Cell cell = sc::cellOf(current); cell.row >= 0) grid_->setCurrentCell(cell.row, cell.column);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) { take(row, column); });

    const DialogButtons buttons = okCancelHelpRow(
        this, [this] { take(grid_->currentRow(), grid_->currentColumn()); },
        [this] {
            if (help_) help_("tdoswapspecial.html");
        });
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(grid_);
    layout->addLayout(buttons.row);
}

void SelectCharacterDialog::take(int row, int column) {
    const int character = sc::characterAt(row, column);
    if (character == 0) return;  // nothing selected: Ok waits for a choice
    chosen_ = character;
    accept();
}

void SelectCharacterDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* where = screen();
    if (where == nullptr) return;
    const QRect area = where->availableGeometry();
    const QRect frame = frameGeometry();
    const int left = std::clamp(area.center().x() - frame.width() / 2, area.left(),
                                std::max(area.left(), area.right() + 1 - frame.width()));
    move(left, sc::topNearRow(rowTop_, rowHeight_, frame.height(), area.top(), area.height()));
}

}  // namespace qln::gui
