#pragma once

#include "gui/dialogs/CentredDialog.h"
#include "ui/QuickInfo.h"

namespace qln::gui {

// The Quick Info window (TQuickInfo): a read-only summary of one macro.  The caller builds the QuickInfo from the
// record it read (quickInfoOf) and calls exec(); "&Ok" closes it and nothing is changed.
//   QuickInfoDialog(quickInfoOf(record, paths.programFolder, scheduleLine), mainWindow).exec();
class QuickInfoDialog : public CentredDialog {
    Q_OBJECT

public:
    explicit QuickInfoDialog(const QuickInfo& info, QWidget* parent = nullptr);
};

}  // namespace qln::gui
