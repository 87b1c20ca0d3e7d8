// The prompts of a playing macro as Qt forms, driven through their own modal loops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "gui/playback/QtPrompts.h"
#include "platform/SystemClock.h"
#include "platform/qt/QtPump.h"
#include "playback/RepeatPrompt.h"

// Readable failures.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
void PrintTo(const QPoint& p, std::ostream* os) {
    *os << '(' << p.x() << ", " << p.y() << ')';
}
void PrintTo(const QSize& s, std::ostream* os) {
    *os << s.width() << 'x' << s.height();
}
void PrintTo(const QRect& r, std::ostream* os) {
    PrintTo(r.topLeft(), os);
    PrintTo(r.size(), os);
}

namespace qln::gui {
namespace {

// Runs `act` on the modal window once it is up: it opens inside the call under test, so we poll for it.
void whenModal(const std::function<bool(QWidget*)>& is, const std::function<void(QWidget*)>& act, int tries = 300) {
    QTimer::singleShot(10, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w != nullptr && is(w)) return act(w);
        if (tries > 0) return whenModal(is, act, tries - 1);
        ADD_FAILURE() << "the expected window never came up";
        if (w != nullptr) w->hide();  // ends its loop without going through its checks
    });
}

void whenForm(const QString& name, const std::function<void(QWidget*)>& act) {
    whenModal([name](QWidget* w) { return w->objectName() == name; }, act);
}

template <class T = QWidget>
T* part(QWidget* form, const char* name) {
    T* w = form->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget* form, const char* button) {
    if (auto* b = part<QPushButton>(form, button)) QTest::mouseClick(b, Qt::LeftButton);
}

QRect centred(QSize size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.x() + (screen.width() - size.width()) / 2, screen.y() + (screen.height() - size.height()) / 2,
            size.width(), size.height()};
}

PauseDialogRequest request(std::string message = {}) {
    PauseDialogRequest r;
    r.left = 100;
    r.top = 50;
    r.messageHeight = message.empty() ? 0 : 38;  // two lines: the message below has 46 characters
    r.height = 94 + r.messageHeight;
    r.caption = "Pause (Ctrl+F5)";
    r.title = "Caf\xe9 order";
    r.message = std::move(message);
    return r;
}

// A form that does not end as it should would wait for ever: hiding it ends its loop.
class PromptsTest : public ::testing::Test {
protected:
    PromptsTest() {
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            ADD_FAILURE() << "a prompt was still open";
            while (QWidget* w = QApplication::activeModalWidget()) w->hide();
        });
        watchdog_.start(5000);
    }

private:
    QTimer watchdog_;
};

struct PauseEnd {
    const char* name;
    std::function<void(QWidget*, QtPrompts&)> act;
    bool resumed;
};

TEST_F(PromptsTest, ThePauseDialogEndsAsResumedOnlyByResumeOrFromOutside) {
    const std::vector<PauseEnd> ends = {
        {"Resume", [](QWidget* w, QtPrompts&) { click(w, "ResumeButton"); }, true},
        {"Abort", [](QWidget* w, QtPrompts&) { click(w, "AbortButton"); }, false},
        {"close box", [](QWidget* w, QtPrompts&) { w->close(); }, false},
        {"hot key", [](QWidget*, QtPrompts& p) { p.closePause(true); }, true},
        {"closed from outside", [](QWidget*, QtPrompts& p) { p.closePause(false); }, false},
    };
    for (const PauseEnd& end : ends) {
        QtPrompts prompts;
        whenForm("TPauseMacro", [&](QWidget* w) { end.act(w, prompts); });
        EXPECT_EQ(prompts.showPause(request()), end.resumed) << end.name;
    }
}

TEST_F(PromptsTest, ThePauseDialogShowsTheRequestWhereItSays) {
    const std::string message = "Fill in the form, then press the hot key again";
    for (const PauseDialogRequest& r : {request(), request(message)}) {
        QtPrompts prompts;
        whenForm("TPauseMacro", [&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "Pause (Ctrl+F5)");
            EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(100, 50));
            EXPECT_EQ(w->size(), QSize(224, r.height));
            EXPECT_EQ(part<QLabel>(w, "Label1")->text(), "Quillon Pause");
            EXPECT_EQ(part<QLabel>(w, "MacroTitleLabel")->text(), "Caf\u00e9 order");
            auto* label = part<QLabel>(w, "MessageLabel");
            EXPECT_EQ(label->isVisible(), r.messageHeight > 0);
            EXPECT_EQ(label->text().toStdString(), r.message);
            if (r.messageHeight > 0) {
                EXPECT_EQ(label->height(), 38);
            }
            EXPECT_EQ(part<QPushButton>(w, "ResumeButton")->text(), "&Resume");
            EXPECT_EQ(part<QPushButton>(w, "AbortButton")->text(), "&Abort");
            click(w, "ResumeButton");
        });
        prompts.showPause(r);
    }
}

// The hot key that resumes a pause arrives as a message of the program's loop while the dialog waits.
TEST_F(PromptsTest, MessagesOfTheProgramAreHandledWhileAPauseIsOpen) {
    struct Resumer : IMessageHandler {
        QtPrompts* prompts = nullptr;
        std::vector<std::uint32_t> seen;
        void handleMessage(const Message& m) override {
            seen.push_back(messageNumber(m));
            prompts->closePause(true);
        }
    };
    SystemClock clock;
    QtPump pump(clock);
    QtPrompts prompts;
    Resumer handler;
    handler.prompts = &prompts;
    pump.setHandler(&handler);
    whenForm("TPauseMacro", [&](QWidget*) { pump.post(hook::HotKeyPressed{7}); });
    EXPECT_TRUE(prompts.showPause(request()));
    EXPECT_EQ(handler.seen, std::vector<std::uint32_t>{0x402});
}

TEST_F(PromptsTest, TheMessageWindowShowsItsTextCentredUntilOk) {
    QtPrompts prompts;
    bool shown = false;
    whenForm("TOnTopMessage", [&](QWidget* w) {
        shown = true;
        EXPECT_EQ(w->windowTitle(), "Warning");
        EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(part<QLabel>(w, "TheMessage")->text(), "Macro \u201cCaf\u00e9\u201d aborted \u20ac");
        auto* ok = part<QPushButton>(w, "OkButton");
        EXPECT_EQ(ok->text(), "&Ok");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(w->size(), QSize(235, 130));
        EXPECT_EQ(w->frameGeometry(), centred(w->frameGeometry().size()));
        click(w, "OkButton");
    });
    prompts.showMessage("Warning",
                        "Macro \x93"
                        "Caf\xe9\x94 aborted \x80");
    EXPECT_TRUE(shown);
}

TEST_F(PromptsTest, TheRepeatPromptKeepsRefusingUntilTheCheckAccepts) {
    QtPrompts prompts;
    std::vector<std::string> checked;
    QString errorTitle, errorText, focusAfterError;
    whenForm("TRepeatPrompt", [&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Macro Repeat");
        EXPECT_EQ(w->size(), QSize(167, 56));
        EXPECT_EQ(w->frameGeometry(), centred(w->frameGeometry().size()));
        EXPECT_EQ(part<QLabel>(w, "TheMessage")->text(), "Times To Repeat");
        EXPECT_TRUE(part<QPushButton>(w, "OkButton")->isDefault());
        auto* edit = part<QLineEdit>(w, "NumReps");
        EXPECT_EQ(w->focusWidget(), edit);
        QTest::keyClicks(edit, "1x2345");
        EXPECT_EQ(edit->text(), "1x23");
        edit->setText("1x");
        // The refusal is a message box of its own, inside the click.
        whenModal([](QWidget* box) { return qobject_cast<QMessageBox*>(box) != nullptr; },
                  [&](QWidget* box) {
                      errorTitle = box->windowTitle();
                      errorText = static_cast<QMessageBox*>(box)->text();
                      static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
                  });
        click(w, "OkButton");
        focusAfterError = w->focusWidget() != nullptr ? w->focusWidget()->objectName() : QString();
        ASSERT_TRUE(w->isVisible());
        edit->setText("12");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    const std::string count = prompts.showRepeatPrompt([&](std::string_view text) {
        checked.emplace_back(text);
        return RepeatPrompt::check(text);
    });
    EXPECT_EQ(count, "12");
    EXPECT_EQ(checked, (std::vector<std::string>{"1x", "12"}));
    EXPECT_EQ(errorTitle, "Error");
    EXPECT_EQ(errorText, "Invalid numeric value entered.  Please Correct");
    EXPECT_EQ(focusAfterError, "NumReps");
}

TEST_F(PromptsTest, TheCloseBoxOfTheRepeatPromptGoesThroughTheCheckToo) {
    QtPrompts prompts;
    std::vector<std::string> checked;
    whenForm("TRepeatPrompt", [&](QWidget* w) {
        part<QLineEdit>(w, "NumReps")->setText(" 3 ");
        w->close();
    });
    const std::string count = prompts.showRepeatPrompt([&](std::string_view text) {
        checked.emplace_back(text);
        return RepeatPrompt::check(text);
    });
    EXPECT_EQ(count, " 3 ");
    EXPECT_EQ(checked, std::vector<std::string>{" 3 "});
}

}  // namespace
}  // namespace qln::gui
