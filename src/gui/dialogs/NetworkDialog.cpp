#include "gui/dialogs/NetworkDialog.h"

#include "gui/DialogButtons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Win1252.h"

namespace qln::gui {

NetworkDialog::NetworkDialog(Settings& settings, NetworkSync& network, QWidget* parent)
    : CentredDialog(parent), logic_(settings, network) {
    setObjectName("TNetworkConsiderations");
    setWindowTitle("Network");
    setModal(true);
    const NetworkConsiderations::Fields shown = logic_.FormShow();

    networkOption_ = new QCheckBox("&File Locking of Macro Files", this);
    networkOption_->setObjectName("NetworkOption");
    networkOption_->setChecked(shown.NetworkOption);
    autoSync_ = new QCheckBox("&Automatic Synchronization Updating", this);
    autoSync_->setObjectName("AutoSync");
    autoSync_->setChecked(shown.AutoSync);
    minutes_ = new QLineEdit(QString::fromStdString(win1252ToUtf8(shown.Minutes)), this);
    minutes_->setObjectName("Minutes");
    minutes_->setMaxLength(2);
    minutes_->setFixedWidth(minutes_->fontMetrics().horizontalAdvance("000") + 12);
    connect(networkOption_, &QCheckBox::toggled, this, &NetworkDialog::followFileLocking);
    followFileLocking();

    auto* every = new QHBoxLayout;
    every->addSpacing(20);
    every->addWidget(new QLabel("Synchronize every", this));
    every->addWidget(minutes_);
    every->addWidget(new QLabel("minutes", this));
    every->addStretch();

    const DialogButtons buttons = okButtonRow(this, false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(networkOption_);
    layout->addWidget(autoSync_);
    layout->addLayout(every);
    layout->addLayout(buttons.row);
}

void NetworkDialog::followFileLocking() {
    NetworkConsiderations::Fields f;
    f.NetworkOption = networkOption_->isChecked();
    const bool enabled = NetworkConsiderations::otherControlsEnabled(f);
    autoSync_->setEnabled(enabled);
    minutes_->setEnabled(enabled);
}

// Escape and the close button reject; here they store like OK.
void NetworkDialog::done(int) {
    logic_.FormClose(
        {networkOption_->isChecked(), autoSync_->isChecked(), utf8ToWin1252(minutes_->text().toStdString())});
    CentredDialog::done(Accepted);
}

}  // namespace qln::gui
