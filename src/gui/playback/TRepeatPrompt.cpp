#include "gui/playback/TRepeatPrompt.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "playback/RepeatPrompt.h"

namespace qln::gui {

TRepeatPrompt::TRepeatPrompt(Check check) : OnTopDialog("TRepeatPrompt"), check_(std::move(check)) {
    setWindowTitle(RepeatPrompt::Caption);

    TheMessage = new QLabel("Times To Repeat", this);
    TheMessage->setObjectName("TheMessage");
    TheMessage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NumReps = new QLineEdit(this);
    NumReps->setObjectName("NumReps");
    NumReps->setMaxLength(static_cast<int>(RepeatPrompt::MaxChars));
    NumReps->setFixedWidth(NumReps->fontMetrics().horizontalAdvance("00000") + 12);
    OkButton = new QPushButton("&Ok", this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(TheMessage, 0, 0);
    grid->addWidget(NumReps, 0, 1);
    grid->addWidget(OkButton, 1, 0, 1, 2, Qt::AlignHCenter);
    fixClientSize(QSize(167, 56));
    NumReps->setFocus();
}

void TRepeatPrompt::done(int r) {
    const std::string text = macroText(NumReps->text());
    if (const auto error = check_(text)) {
        QMessageBox box(QMessageBox::Critical, "Error", qtText(*error), QMessageBox::Ok, this);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
        NumReps->setFocus();
        return;
    }
    accepted_ = text;
    OnTopDialog::done(r);
}

void TRepeatPrompt::showEvent(QShowEvent* e) {
    moveCentred();
    OnTopDialog::showEvent(e);
}

}  // namespace qln::gui
