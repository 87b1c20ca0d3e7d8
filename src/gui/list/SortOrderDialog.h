#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <string>

#include "core/Settings.h"
#include "ui/SortOrder.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace qln::gui {

// TSortOrder, "Sort Order": the order of the sort keys, of the activation kinds and of the scopes, each a list
// with Up and Down buttons, and whether a right click on a column header re-sorts.  OK stores them in the
// settings and accepts; the owner then writes the settings file and re-sorts the list.
class SortOrderDialog : public QDialog {
    Q_OBJECT
public:
    using HelpFunction = std::function<void(const std::string& page)>;

    SortOrderDialog(Settings& settings, HelpFunction help = {}, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showList(SortOrder::List list);
    void moveItem(SortOrder::List list, bool up);
    void OkButtonClick();

    Settings& settings_;
    SortOrder order_;
    HelpFunction help_;
    std::array<QListWidget*, 3> lists_{};
    std::array<QPushButton*, 3> ups_{};
    std::array<QPushButton*, 3> downs_{};
    QCheckBox* headerSort_ = nullptr;
};

}  // namespace qln::gui
