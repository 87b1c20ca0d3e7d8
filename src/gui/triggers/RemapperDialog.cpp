#include "gui/triggers/RemapperDialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Win1252.h"
#include "gui/DialogButtons.h"
#include "gui/triggers/SelectCharacterDialog.h"

namespace qln::gui {

namespace {

constexpr const char* GridNames[] = {"UpperGrid", "LowerGrid", "PunctGrid", "NumGrid"};

QString characterText(std::uint8_t c) {
    // A space would be an empty cell.
    if (c == ' ') return "Space";
    return QString::fromUcs4(std::u32string(1, win1252ToCodePoint(c)).data(), 1);
}

}  // namespace

RemapperDialog::RemapperDialog(const Vexmap& tables, bool browseMode, ShowHelp help, QWidget* parent)
    : CentredDialog(parent), logic_(tables), help_(std::move(help)) {
    setObjectName("TDoVexmap");
    setWindowTitle("Keyboard Remapper");
    setModal(true);
    logic_.browseMode = browseMode;

    auto* columns = new QGridLayout;
    for (int g = 0; g < Remapper::GridCount; ++g) {
        const auto grid = static_cast<Remapper::Grid>(g);
        auto* table = new QTableWidget(Remapper::rows(grid), 2, this);
        table->setObjectName(GridNames[g]);
        table->setHorizontalHeaderLabels({"Key", "Produces"});
        table->verticalHeader()->hide();
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
        table->setMinimumHeight(table->verticalHeader()->defaultSectionSize() * 16);
        table->setMinimumWidth(130);
        grids_[g] = table;
        for (int row = 0; row < Remapper::rows(grid); ++row) {
            auto* key = new QTableWidgetItem(characterText(Remapper::key(grid, row)));
            key->setBackground(QColor(192, 192, 192));
            key->setForeground(Qt::black);
            key->setTextAlignment(Qt::AlignCenter);
            table->setItem(row, 0, key);
            auto* produced = new QTableWidgetItem;
            produced->setTextAlignment(Qt::AlignCenter);
            table->setItem(row, 1, produced);
        }
        showGrid(grid);
        connect(table, &QTableWidget::cellDoubleClicked, this,
                [this, grid](int row, int column) { cellDoubleClicked(grid, row, column); });
        columns->addWidget(new QLabel(Remapper::title(grid), this), 0, g);
        columns->addWidget(table, 1, g);
    }

    const DialogButtons buttons = okButtonRow(this, false);
    auto* helpButton = new QPushButton("&Help", this);
    helpButton->setObjectName("HelpButton");
    helpButton->setAutoDefault(false);
    buttons.row->addWidget(helpButton);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        if (help_) help_("tdovexmap.html");
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons.row);
}

void RemapperDialog::showGrid(Remapper::Grid grid) {
    QTableWidget* table = grids_[grid];
    for (int row = 0; row < Remapper::rows(grid); ++row) {
        QTableWidgetItem* item = table->item(row, 1);
        const std::uint8_t c = logic_.produced(grid, row);
        item->setText(c == 0 ? QString("none") : characterText(c));
        QFont font = item->font();
        font.setBold(c != 0);
        item->setFont(font);
    }
}

void RemapperDialog::cellDoubleClicked(Remapper::Grid grid, int row, int column) {
    if (column != 1 || logic_.browseMode) return;
    QTableWidget* table = grids_[grid];
    const QRect cell = table->visualItemRect(table->item(row, column));
    const QPoint top = table->viewport()->mapToGlobal(cell.topLeft());
    SelectCharacterDialog select(logic_.produced(grid, row), top.y(), cell.height(), help_, this);
    if (select.exec() != QDialog::Accepted || select.chosen() == 0) return;
    logic_.setProduced(grid, row, static_cast<std::uint8_t>(select.chosen()));
    showGrid(grid);
}

}  // namespace qln::gui
