#pragma once

#include <optional>

#include "core/Notices.h"
#include "gui/dialogs/CentredDialog.h"
#include "ui/Appearance.h"

class QLineEdit;
class QRadioButton;

namespace qln::gui {

// The Appearance dialog (TDoAppear): list column widths, list fonts and the button style.  exec() returns
// Accepted when "&Ok" found all widths valid; choice() then holds what to store (AppearanceChoice::storeIn) and
// apply.  Cancel leaves choice() empty.  A refused width is told through `notices` (a message box with the
// caption when none is given); "&Help" calls `help` with "tdoappear.html".
class AppearanceDialog : public CentredDialog {
    Q_OBJECT

public:
    explicit AppearanceDialog(const Settings& settings, INotices* notices = nullptr, ShowHelp help = {},
                              QWidget* parent = nullptr);

    const std::optional<AppearanceChoice>& choice() const { return choice_; }

private:
    void OkButtonClick();
    void chooseFont(FontSetting& font, const QString& title);

    Appearance logic_;
    INotices* notices_;
    ShowHelp help_;
    QLineEdit* widths_[3];
    QRadioButton* speed_;
    std::optional<AppearanceChoice> choice_;
};

}  // namespace qln::gui
