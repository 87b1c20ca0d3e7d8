#include "gui/list/MacroListView.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/Win1252.h"
#include "gui/FontSetting.h"
#include "gui/list/MacroListDelegate.h"
#include "gui/list/MacroListHeader.h"
#include "gui/list/MacroListModel.h"

namespace qln::gui {

namespace {

ListKey listKeyOf(int key) {
    switch (key) {
        case Qt::Key_Backspace:
            return ListKey::Backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return ListKey::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ListKey::Enter;
        case Qt::Key_Escape:
            return ListKey::Escape;
        case Qt::Key_Control:
            return ListKey::Ctrl;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return ListKey::Alt;
        case Qt::Key_PageUp:
            return ListKey::PageUp;
        case Qt::Key_PageDown:
            return ListKey::PageDown;
        case Qt::Key_End:
            return ListKey::End;
        case Qt::Key_Home:
            return ListKey::Home;
        case Qt::Key_Left:
            return ListKey::Left;
        case Qt::Key_Right:
            return ListKey::Right;
        case Qt::Key_Up:
            return ListKey::Up;
        case Qt::Key_Down:
            return ListKey::Down;
        default:
            return ListKey::Other;
    }
}

}  // namespace

MacroListView::MacroListView(const MacroTable& table, Settings& settings, QWidget* parent)
    : QTableView(parent),
      settings_(settings),
      list_(table, settings),
      model_(new MacroListModel(list_, this)),
      header_(new MacroListHeader(this)),
      delegate_(new MacroListDelegate(this)) {
    setObjectName("KeyList");
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(delegate_);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    header_->setSectionResizeMode(0, QHeaderView::Fixed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The right button belongs to the quick information and the header sort.
    setContextMenuPolicy(Qt::PreventContextMenu);
    header_->setContextMenuPolicy(Qt::PreventContextMenu);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { currentRowChanged(current); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit rowClicked(list_.macroAt(index.row() + 1)); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(list_.macroAt(index.row() + 1)); });
    connect(header_, &MacroListHeader::rightClicked, this, [this](int section) { headerRightClicked(section); });
    connect(header_, &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { sectionResized(section, newSize); });
    connect(header_, &MacroListHeader::leftReleased, this, [this] {
        if (!widthsChanged_) return;
        widthsChanged_ = false;
        emit columnWidthsChanged();
    });

    applySettings();
    refill();
}

MacroListView::~MacroListView() = default;

void MacroListView::refill() {
    model_->reset([this] { list_.fill(); });
    showSelection();
}

void MacroListView::applySettings() {
    applying_ = true;
    const QFont body = toQFont(settings_.gridFont);
    const QFont title = toQFont(settings_.gridTitleFont);
    setFont(body);
    model_->setBodyFont(body);
    model_->setGreyText(palette().color(QPalette::Disabled, QPalette::Text));
    // A system colour stands for the palette's.
    const QColor stored = fontColor(settings_.gridTitleFont);
    header_->setTitleFont(title, stored.isValid() ? stored : palette().color(QPalette::ButtonText));
    const QFontMetrics bodyMetrics(body);
    verticalHeader()->setDefaultSectionSize(static_cast<int>(bodyMetrics.height() * 1.1));
    header_->setFixedHeight(QFontMetrics(title).height());
    setColumnWidth(0, bodyMetrics.horizontalAdvance(QStringLiteral("9999")));
    setColumnWidth(1, settings_.col1Width);
    setColumnWidth(2, settings_.col2Width);
    setColumnWidth(3, settings_.col3Width);
    applying_ = false;
}

int MacroListView::rowCount() const {
    return list_.rowCount();
}

int MacroListView::selectedRow() const {
    return list_.selectedRow();
}

int MacroListView::selectedMacro() const {
    return list_.selectedMacro();
}

void MacroListView::setSelectedRow(int row) {
    list_.selectRow(row);
    showSelection();
}

void MacroListView::showSelection() {
    syncing_ = true;
    const int row = list_.selectedRow();
    if (row > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 1;
        const QModelIndex index = model_->index(row - 1, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    syncing_ = false;
}

void MacroListView::userMoved() {
    showSelection();
    emit selectedMacroChanged(list_.selectedMacro());
}

void MacroListView::currentRowChanged(const QModelIndex& current) {
    if (syncing_ || !current.isValid() || current.row() + 1 == list_.selectedRow()) return;
    list_.selectRow(current.row() + 1);
    emit selectedMacroChanged(list_.selectedMacro());
}

bool MacroListView::typeAhead(ListKey key, char c) {
    if (!list_.key(key, c)) return false;
    userMoved();
    return true;
}

bool MacroListView::event(QEvent* event) {
    // Tab leaves the list before a key press handler would see it.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) typeAhead(ListKey::Tab);
    }
    return QTableView::event(event);
}

void MacroListView::keyPressEvent(QKeyEvent* event) {
    const ListKey key = listKeyOf(event->key());
    if (key == ListKey::Backspace) {
        typeAhead(key);
        event->accept();
        return;
    }
    if (key != ListKey::Other) {
        typeAhead(key);
        QTableView::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (command || text.isEmpty() || !text.at(0).isPrint()) {
        QTableView::keyPressEvent(event);
        return;
    }
    for (char c : utf8ToWin1252(text.toStdString())) typeAhead(ListKey::Character, c);
    event->accept();
}

void MacroListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightPressRow_ = rowAt(event->position().toPoint().y()) + 1;
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void MacroListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return mousePressEvent(event);
    QTableView::mouseDoubleClickEvent(event);
}

void MacroListView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const int row = rowAt(event->position().toPoint().y()) + 1;
        const int pressed = rightPressRow_;
        rightPressRow_ = 0;
        event->accept();
        if (row > 0 && row == pressed) emit quickInfoRequested(list_.macroAt(row));
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void MacroListView::headerRightClicked(int section) {
    if (!list_.headerRightClick(section)) return;
    model_->reordered();
    showSelection();
    emit sortSettingsChanged();
}

void MacroListView::sectionResized(int section, int newSize) {
    if (applying_ || section < 1 || section > 3) return;
    std::int32_t* widths[] = {nullptr, &settings_.col1Width, &settings_.col2Width, &settings_.col3Width};
    *widths[section] = newSize;
    widthsChanged_ = true;
}

}  // namespace qln::gui
