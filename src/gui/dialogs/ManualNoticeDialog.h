#pragma once

#include "gui/dialogs/CentredDialog.h"

namespace qln::gui {

// "User Manual Notice", shown before the manual opens: exec() returns Accepted when "&Ok" was chosen, and the
// caller then opens the manual (HTML, in the program's help window); Escape or the close button go no further.
class ManualNoticeDialog : public CentredDialog {
    Q_OBJECT

public:
    explicit ManualNoticeDialog(QWidget* parent = nullptr);
};

}  // namespace qln::gui
