#include "gui/dialogs/QuickInfoDialog.h"

#include "gui/DialogButtons.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/Win1252.h"

namespace qln::gui {

namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(win1252ToUtf8(bytes));
}

QLabel* label(const QString& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(name);
    return l;
}

QIcon iconOf(const QuickInfo& info) {
    switch (info.icon) {
        case QuickInfoIcon::Menu:
            return QIcon(":/icons/menu.svg");
        case QuickInfoIcon::File:
            return QIcon(QString::fromStdString(info.iconFile));
        case QuickInfoIcon::Program:
            break;
    }
    return QIcon(":/icons/quillon.svg");
}

}  // namespace

QuickInfoDialog::QuickInfoDialog(const QuickInfo& info, QWidget* parent) : CentredDialog(parent) {
    setObjectName("TQuickInfo");
    setWindowTitle("Quick Info");
    setModal(true);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(label(fromBytes(info.lastModified), "LastModified", this), row++, 0, 1, 2);

    grid->addWidget(label("Icon:", nullptr, this), row, 0);
    QLabel* picture = label({}, "IconImage", this);
    picture->setPixmap(iconOf(info).pixmap(32, 32));
    grid->addWidget(picture, row++, 1, Qt::AlignLeft);

    const std::pair<QLabel*, QLabel*> lines[] = {
        {label(fromBytes(info.triggerLabel), "TriggerLabel", this),
         label(fromBytes(info.trigger), "TriggerText", this)},
        {label("NickName:", nullptr, this), label(fromBytes(info.nickname), "NickName", this)},
        {label("Scope:", nullptr, this), label(fromBytes(info.scope), "Scope", this)},
        {label("Active:", nullptr, this), label(fromBytes(info.active), "Active", this)},
    };
    for (const auto& [caption, value] : lines) {
        value->setTextFormat(Qt::PlainText);  // a nickname "<b>" is text, not markup
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row++, 1);
    }
    grid->setColumnStretch(1, 1);

    auto* textLabel = label(fromBytes(info.textLabel), "MacroTextLabel", this);
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("MacroText");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Lines end in CR LF in the record; the editor wants one line break per line.
    text->setPlainText(fromBytes(info.text).replace("\r\n", "\n"));
    text->setVisible(info.showText);
    textLabel->setVisible(info.showText);

    const DialogButtons buttons = okButtonRow(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(textLabel);
    layout->addWidget(text, 1);
    if (!info.showText) layout->addStretch();
    layout->addLayout(buttons.row);
    resize(440, info.showText ? 400 : 0);
    buttons.ok->setFocus();
}

}  // namespace qln::gui
