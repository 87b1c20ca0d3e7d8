#include "gui/ScreenPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>

#include "ui/WindowPlace.h"

namespace qln::gui {

namespace {

// How often, and how long, to look whether the window manager has framed the window (a loaded machine may take
// seconds), and how many more looks after that: a window manager may place the window once more.
constexpr int kFramingCheckMs = 50;
constexpr int kFramingChecks = 200;
constexpr int kChecksOnceFramed = 10;

WindowRect rectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void keepOnScreen(QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (screen == nullptr) screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // What the frame adds around the window (nothing before a window manager has framed it).
    const int left = client.left() - frame.left(), top = client.top() - frame.top();
    const int right = frame.right() - client.right(), bottom = frame.bottom() - client.bottom();
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    const WindowRect kept =
        keptInside(rectOf(frame), rectOf(screen->availableGeometry()), std::max(minimum.width(), 0) + left + right,
                   std::max(minimum.height(), 0) + top + bottom);
    if (kept == rectOf(frame)) return;
    window->setGeometry(kept.left + left, kept.top + top, kept.width - left - right, kept.height - top - bottom);
}

void keepOnScreenOnceFramed(QWidget* window) {
    keepOnScreen(window);
    auto* timer = new QTimer(window);
    timer->setInterval(kFramingCheckMs);
    auto checks = std::make_shared<int>(kFramingChecks);
    auto afterFraming = std::make_shared<int>(kChecksOnceFramed);
    QObject::connect(timer, &QTimer::timeout, window, [window, timer, checks, afterFraming] {
        const bool framed = window->frameGeometry() != window->geometry();
        if (framed && window->isVisible()) keepOnScreen(window);
        const bool more = window->isVisible() && (framed ? --*afterFraming > 0 : --*checks > 0);
        if (more) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

}  // namespace qln::gui
