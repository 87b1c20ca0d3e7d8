#include "gui/playback/OnTopDialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include "core/Win1252.h"
#include "gui/ScreenPlace.h"

namespace qln::gui {

OnTopDialog::OnTopDialog(const QString& name)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
    setObjectName(name);
    // The main window is hidden while a prompt is up: closing the prompt must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void OnTopDialog::fixClientSize(QSize client) {
    if (layout() != nullptr) client = client.expandedTo(layout()->minimumSize());
    setFixedSize(client);
}

void OnTopDialog::moveCentred() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    keepOnScreen(this);
}

bool OnTopDialog::event(QEvent* e) {
    // Another stay-on-top window may have come up meanwhile: whenever we get the focus we also go in front.
    if (e->type() == QEvent::WindowActivate) raise();
    return QDialog::event(e);
}

void OnTopDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The user was typing into another program: without asking, the window manager may leave us behind it.
    raise();
    activateWindow();
}

QString OnTopDialog::qtText(std::string_view bytes) {
    return QString::fromUtf8(win1252ToUtf8(bytes).c_str());
}

std::string OnTopDialog::macroText(const QString& text) {
    return utf8ToWin1252(text.toUtf8().toStdString());
}

}  // namespace qln::gui
