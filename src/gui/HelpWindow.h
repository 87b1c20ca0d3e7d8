#pragma once

#include <QWidget>

#include <string>

class QTextBrowser;

namespace qln::gui {

// The manual in a window of Quillon's own: the installed HTML pages in a QTextBrowser, their links followed in
// it, so that Help works without a web browser.  Addresses outside the manual go to the desktop's browser.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a page of the manual ("tsortorder.html", "index.html"); false when the manual has no such page.
    bool showPage(const std::string& page);
    QTextBrowser* browser() const { return browser_; }

    // The window of help for whoever asks now: a modal dialog (whose Help button was pressed) gets one of its
    // own, which its modality does not block; otherwise `owner`'s.
    static HelpWindow* forActiveWindow(QWidget* owner);

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace qln::gui
