#pragma once

#include <string>

#include "gui/dialogs/CentredDialog.h"

namespace qln::gui {

// The About box: the program's name, its version (the build's project version, e.g. "0.1.0") and what it is.
// "&Ok" closes it.
class AboutDialog : public CentredDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const std::string& version, QWidget* parent = nullptr);
};

}  // namespace qln::gui
