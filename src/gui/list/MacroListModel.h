#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

#include <functional>

#include "ui/MacroList.h"

namespace qln::gui {

// The rows of the macro list for Qt: model row r is grid row r + 1 (the grid's header row is the view's header).
// Display texts are UTF-8 for Qt; CellBytesRole gives a cell's Windows-1252 bytes, which the cell shortening works
// on.  A deactivated macro's cells but the row number come in the italic body font and the grey-text colour.
class MacroListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int CellBytesRole = Qt::UserRole + 1;

    MacroListModel(const MacroList& list, QObject* parent = nullptr) : QAbstractTableModel(parent), list_(list) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void setBodyFont(const QFont& font);
    void setGreyText(const QColor& color) { grey_ = color; }
    // Runs a change of the list's rows as a reset of the model.
    void reset(const std::function<void()>& change);
    // The same rows in another order: every cell changed.
    void reordered();

private:
    const MacroList& list_;
    QFont body_;
    QColor grey_ = Qt::gray;
};

}  // namespace qln::gui
