#pragma once

#include "gui/playback/OnTopDialog.h"
#include "platform/Prompts.h"

class QLabel;
class QPushButton;

namespace qln::gui {

// The pause dialog of a playing macro: Resume goes on, Abort (or closing it) ends the macro.
class TPauseMacro : public OnTopDialog {
    Q_OBJECT
public:
    static constexpr int Resume = 1;
    static constexpr int Abort = 0;

    // Placed and sized as the request says, which the playback has already fitted onto the screen.
    explicit TPauseMacro(const PauseDialogRequest& request);

private:
    QLabel* Label1;
    QLabel* MacroTitleLabel;
    QLabel* MessageLabel;
    QPushButton* ResumeButton;
    QPushButton* AbortButton;
};

}  // namespace qln::gui
