#pragma once

#include <QDialog>

#include "ui/MacroMenuModel.h"

class QListWidget;

namespace qln::gui {

// TDoAMenu, "Choose A Macro": the macros of a Popup Menu macro (or of the window in front) as one or two lists
// (`Script`, `Script2`) or as icon buttons.  A double click on a row, a click on a button, or the key of an entry
// (0-9, A-Z) chooses; "&Cancel" and Escape close with nothing chosen.  The window stays on top; it is centred
// when `clickX` is negative (a hot key opened it), else it stands on the bottom of the screen at that X (a tray
// icon's click).
class MacroMenuDialog : public QDialog {
    Q_OBJECT

public:
    explicit MacroMenuDialog(MacroMenuModel model, int clickX = -1, QWidget* parent = nullptr);

    // The chosen macro number; -1 until something was chosen.
    int chosen() const { return chosen_; }
    const MacroMenuModel& model() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildLists();
    QWidget* buildButtons();
    QListWidget* buildList(const char* name, int first, int last, int height);
    // A key typed anywhere in the window: true when it was an entry's key or a key that must do nothing.
    bool keyTyped(const QString& text);
    void choose(int position);

    MacroMenuModel model_;
    int clickX_;
    int chosen_ = -1;
};

}  // namespace qln::gui
