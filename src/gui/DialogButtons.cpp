#include "gui/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace qln::gui {

namespace {
QPushButton* named(const QString& text, const char* name, QDialog* dialog) {
    auto* b = new QPushButton(text, dialog);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
}  // namespace

DialogButtons okButtonRow(QDialog* dialog, bool centred) {
    DialogButtons b;
    b.ok = named("&Ok", "OkButton", dialog);
    b.ok->setDefault(true);
    QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    if (centred) b.row->addStretch();
    return b;
}

DialogButtons okCancelHelpRow(QDialog* dialog, std::function<void()> onOk, std::function<void()> onHelp) {
    DialogButtons b;
    b.ok = named("&Ok", "OkButton", dialog);
    b.ok->setDefault(true);
    b.cancel = named("&Cancel", "CancelButton", dialog);
    b.help = named("&Help", "HelpButton", dialog);
    QObject::connect(b.ok, &QPushButton::clicked, dialog, [onOk = std::move(onOk)] { onOk(); });
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(b.help, &QPushButton::clicked, dialog, [onHelp = std::move(onHelp)] {
        if (onHelp) onHelp();
    });
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    b.row->addWidget(b.help);
    return b;
}

}  // namespace qln::gui
