#include "gui/EmptyCaption.h"

#include <QGuiApplication>
#include <QWidget>

#include <X11/Xlib.h>

namespace qln::gui {

void clearCaption(QWidget* window) {
    window->setWindowTitle(QString());
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return;
    Display* d = x11->display();
    const auto id = static_cast<::Window>(window->winId());
    XDeleteProperty(d, id, XInternAtom(d, "_NET_WM_NAME", False));
    XDeleteProperty(d, id, XInternAtom(d, "_NET_WM_ICON_NAME", False));
    XFlush(d);
}

}  // namespace qln::gui
