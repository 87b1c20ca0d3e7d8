#pragma once

#include <functional>
#include <string>

#include <QDialog>

namespace qln::gui {

// Opens the manual at a page ("tdoappear.html": the form's class name in lower case).
using ShowHelp = std::function<void(const std::string& page)>;

// A dialog that centres itself on its screen each time it is shown, as every dialog of the program does.
class CentredDialog : public QDialog {
    Q_OBJECT

public:
    explicit CentredDialog(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace qln::gui
