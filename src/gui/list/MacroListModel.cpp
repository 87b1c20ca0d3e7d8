#include "gui/list/MacroListModel.h"

#include <QByteArray>

#include "core/Win1252.h"

namespace qln::gui {

int MacroListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.rowCount() - 1;
}

int MacroListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant MacroListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const bool greyed = index.column() > 0 && list_.deactivated(row);
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromUtf8(win1252ToUtf8(list_.cellText(row, index.column())).c_str());
        case CellBytesRole: {
            const std::string bytes = list_.cellText(row, index.column());
            return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
        }
        case Qt::FontRole: {
            QFont font = body_;
            if (greyed) font.setItalic(true);
            return font;
        }
        case Qt::ForegroundRole:
            return greyed ? QVariant(grey_) : QVariant();
        default:
            return {};
    }
}

QVariant MacroListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromUtf8(win1252ToUtf8(list_.cellText(0, section)).c_str());
}

void MacroListModel::setBodyFont(const QFont& font) {
    body_ = font;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 3), {Qt::FontRole});
}

void MacroListModel::reordered() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 3));
}

void MacroListModel::reset(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
}

}  // namespace qln::gui
