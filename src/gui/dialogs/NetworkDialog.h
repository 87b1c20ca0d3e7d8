#pragma once

#include "gui/dialogs/CentredDialog.h"
#include "store/NetworkConsiderations.h"

class QCheckBox;
class QLineEdit;

namespace qln::gui {

// The Network dialog (TNetworkConsiderations): file locking, automatic synchronisation and its minutes.
// However it closes ("&Ok", Escape, the window's close button) it stores the fields into the settings and the
// network state before exec() returns, and exec() returns Accepted; the caller then writes the settings file.
class NetworkDialog : public CentredDialog {
    Q_OBJECT

public:
    NetworkDialog(Settings& settings, NetworkSync& network, QWidget* parent = nullptr);

    void done(int result) override;

private:
    void followFileLocking();

    NetworkConsiderations logic_;
    QCheckBox* networkOption_;
    QCheckBox* autoSync_;
    QLineEdit* minutes_;
};

}  // namespace qln::gui
