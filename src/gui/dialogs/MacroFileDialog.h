#pragma once

#include <QFileDialog>

namespace qln::gui {

// The Open and New dialogs of macro files.  The filter reads "Quillon (*.QLN)" as the choice is named, and it
// matches names in either case: files made on Windows end in ".QLN", files made here may end in ".qln".  Qt's own
// dialog, so that the matching does not depend on the desktop's.
class MacroFileDialog : public QFileDialog {
    Q_OBJECT

public:
    enum class Purpose { Open, New };
    MacroFileDialog(Purpose purpose, const QString& folder, QWidget* parent = nullptr);
};

}  // namespace qln::gui
