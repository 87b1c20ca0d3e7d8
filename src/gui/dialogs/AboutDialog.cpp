#include "gui/dialogs/AboutDialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "gui/DialogButtons.h"

namespace qln::gui {

AboutDialog::AboutDialog(const std::string& version, QWidget* parent) : CentredDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle("About Quillon");
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName("ProgramIcon");
    picture->setPixmap(QIcon(":/icons/quillon.svg").pixmap(48, 48));
    auto* name = new QLabel("<b>Quillon</b>", this);
    name->setObjectName("ProductName");
    auto* versionLine = new QLabel("Version " + QString::fromStdString(version), this);
    versionLine->setObjectName("Version");
    auto* what = new QLabel(
        "A keyboard and mouse macro utility: record or write macros and play them back with a "
        "hot key, a typed Snipword, a popup menu or a schedule.",
        this);
    what->setObjectName("Comments");
    what->setWordWrap(true);

    const DialogButtons buttons = okButtonRow(this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(versionLine);
    texts->addWidget(what);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons.row);
    setMinimumWidth(360);
}

}  // namespace qln::gui
