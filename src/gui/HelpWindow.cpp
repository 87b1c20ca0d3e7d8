#include "gui/HelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/Help.h"
#include "gui/ScreenPlace.h"

namespace qln::gui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle("Quillon Help");
    setWindowIcon(QIcon(":/icons/quillon.svg"));
    setAttribute(Qt::WA_QuitOnClose, false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpText");
    browser_->setOpenLinks(true);
    // Pages of the manual open here; anything else (a web address, mail) is the desktop's business.
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* contents = new QPushButton("C&ontents", this);
    auto* closeButton = new QPushButton("&Close", this);
    back->setObjectName("BackButton");
    forward->setObjectName("ForwardButton");
    contents->setObjectName("ContentsButton");
    closeButton->setObjectName("CloseButton");
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { showPage("index.html"); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QString("Quillon Help") : title);
    });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(760, 560);
}

bool HelpWindow::showPage(const std::string& page) {
    const std::string path = manualPagePath(page);
    if (path.empty()) return false;
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    const bool first = !isVisible();
    show();
    if (first) keepOnScreenOnceFramed(this);
    raise();
    activateWindow();
    return true;
}

HelpWindow* HelpWindow::forActiveWindow(QWidget* owner) {
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) parent = owner;
    for (QObject* child : parent->children())
        if (auto* help = qobject_cast<HelpWindow*>(child)) return help;
    return new HelpWindow(parent);
}

}  // namespace qln::gui
