#include "gui/dialogs/ManualNoticeDialog.h"

#include "gui/DialogButtons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace qln::gui {

ManualNoticeDialog::ManualNoticeDialog(QWidget* parent) : CentredDialog(parent) {
    setObjectName("TManualNotice");
    setWindowTitle("User Manual Notice");
    setModal(true);

    auto* notice =
        new QLabel("The Tutorial / User Manual is an HTML document.  It opens in a window of Quillon's own.", this);
    notice->setObjectName("Notice");
    notice->setWordWrap(true);
    const DialogButtons buttons = okButtonRow(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice);
    layout->addLayout(buttons.row);
    setMinimumWidth(320);
}

}  // namespace qln::gui
