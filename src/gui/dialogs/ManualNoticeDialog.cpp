#include "gui/dialogs/ManualNoticeDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace qln::gui {

ManualNoticeDialog::ManualNoticeDialog(QWidget* parent) : CentredDialog(parent) {
    setObjectName("TManualNotice");
    setWindowTitle("User Manual Notice");
    setModal(true);

    auto* notice =
        new QLabel("The Tutorial / User Manual is an HTML document.  It will open in your web browser.", this);
    notice->setObjectName("Notice");
    notice->setWordWrap(true);
    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice);
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

}  // namespace qln::gui
