#include "gui/playback/TOnTopMessage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qln::gui {

TOnTopMessage::TOnTopMessage(std::string_view caption, std::string_view text) : OnTopDialog("TOnTopMessage") {
    setWindowTitle(caption.empty() ? QString("Message") : qtText(caption));

    TheMessage = new QLabel(qtText(text), this);
    TheMessage->setObjectName("TheMessage");
    TheMessage->setWordWrap(true);
    TheMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    OkButton = new QPushButton("&Ok", this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addWidget(TheMessage, 1);
    column->addWidget(OkButton, 0, Qt::AlignHCenter);
    fixClientSize(QSize(235, 130));
}

void TOnTopMessage::showEvent(QShowEvent* e) {
    moveCentred();
    OnTopDialog::showEvent(e);
}

}  // namespace qln::gui
