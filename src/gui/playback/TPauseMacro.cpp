#include "gui/playback/TPauseMacro.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qln::gui {

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}
}  // namespace

TPauseMacro::TPauseMacro(const PauseDialogRequest& request) : OnTopDialog("TPauseMacro") {
    setWindowTitle(qtText(request.caption));
    setResult(Abort);

    Label1 = label(this, "Label1", "Quillon Pause");
    Label1->setAlignment(Qt::AlignCenter);
    MacroTitleLabel = label(this, "MacroTitleLabel", qtText(request.title));
    MacroTitleLabel->setAlignment(Qt::AlignCenter);
    MacroTitleLabel->setWordWrap(true);
    MessageLabel = label(this, "MessageLabel", qtText(request.message));
    MessageLabel->setWordWrap(true);
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MessageLabel->setFixedHeight(request.messageHeight);
    MessageLabel->setVisible(request.messageHeight > 0);

    ResumeButton = new QPushButton("&Resume", this);
    ResumeButton->setObjectName("ResumeButton");
    AbortButton = new QPushButton("&Abort", this);
    AbortButton->setObjectName("AbortButton");
    connect(ResumeButton, &QPushButton::clicked, this, [this] { done(Resume); });
    connect(AbortButton, &QPushButton::clicked, this, [this] { done(Abort); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ResumeButton);
    buttons->addWidget(AbortButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 8, 8);
    column->setSpacing(2);
    column->addWidget(Label1);
    column->addWidget(MacroTitleLabel);
    column->addWidget(MessageLabel);
    column->addStretch();
    column->addLayout(buttons);

    // Exactly the size the playback fitted onto the screen: growing it could push it over the edge.
    setFixedSize(request.width, request.height);
    move(request.left, request.top);
}

}  // namespace qln::gui
