#include "gui/Ending.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace qln::gui::ending {

namespace {

bool g_underway = false;
// How long the loops of closed boxes may take to return before the main window closes anyway.
constexpr int kRetryMs = 10;
constexpr int kRetries = 200;

void closeBoxes() {
    for (int i = 0; i < 16; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) break;
        popup->close();
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d != nullptr && d->isVisible()) d->reject();
}

void closeWhenUnwound(const std::function<void()>& closeMain, int retries) {
    closeBoxes();  // also any box the code after a closed one opened
    if (QThread::currentThread()->loopLevel() <= 1 || retries <= 0) {
        closeMain();
        return;
    }
    QTimer::singleShot(kRetryMs, [closeMain, retries] { closeWhenUnwound(closeMain, retries - 1); });
}

}  // namespace

void begin(std::function<void()> closeMain) {
    g_underway = true;
    closeBoxes();
    if (!closeMain) return;
    // Run from the innermost loop: the boxes' loops return after this.
    QTimer::singleShot(0, [closeMain = std::move(closeMain)] { closeWhenUnwound(closeMain, kRetries); });
}

bool underway() {
    return g_underway;
}

void forget() {
    g_underway = false;
}

}  // namespace qln::gui::ending
