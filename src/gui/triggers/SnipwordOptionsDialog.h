#pragma once

#include "core/Notices.h"
#include "core/Settings.h"
#include "gui/dialogs/CentredDialog.h"
#include "ui/SnipwordOptions.h"

class QCheckBox;
class QLineEdit;

namespace qln::gui {

// TSnipwordOptions, "Snipword Options" (Options > Snip&words): prefix or suffix mode, case sensitivity,
// solitary usage and the prefix keys.  exec() returns Accepted after "&Ok" stored the four values in `settings`;
// the owner then writes the settings file.  Refusals go through `notices` (a message box when none is given);
// "&Help" calls `help` with "tsnipwordoptions.html".
class SnipwordOptionsDialog : public CentredDialog {
    Q_OBJECT

public:
    explicit SnipwordOptionsDialog(Settings& settings, INotices* notices = nullptr, ShowHelp help = {},
                                   QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SnipwordOptions::Fields fields() const;
    // Refuses invalid characters in the prefix: told, cut back to the valid ones, focus back in the field.
    bool checkPrefix();
    void refuse(const SnipwordOptionsRefusal& refusal);
    void OkButtonClick();

    Settings& settings_;
    SnipwordOptions logic_;
    INotices* notices_;
    ShowHelp help_;
    QCheckBox* usePrefix_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QCheckBox* solitary_ = nullptr;
    QLineEdit* prefixKeys_ = nullptr;
    bool refusing_ = false;
};

}  // namespace qln::gui
