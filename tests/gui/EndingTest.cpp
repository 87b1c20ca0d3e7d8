// A quit request (a termination signal) ends the program whatever box is open: the box closes at once, no new
// box waits for a person, and the main window closes only once the box's loop has returned.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "gui/Ending.h"
#include "gui/ErrorHandler.h"
#include "platform/SystemClock.h"
#include "platform/qt/QtPump.h"

namespace qln::gui {
namespace {

struct Forget {
    ~Forget() { ending::forget(); }
};

TEST(Ending, AQuitRequestClosesAnOpenMessageBox) {
    Forget forget;
    SystemClock clock;
    QtPump pump(clock);
    pump.setOnQuit([] { ending::begin(); });
    QTimer::singleShot(0, [&] { pump.requestQuit(); });
    QMessageBox box(QMessageBox::Information, "", "Quillon is already running.", QMessageBox::Ok);
    box.exec();  // returns without anyone pressing Ok
    EXPECT_FALSE(box.isVisible());
    EXPECT_TRUE(ending::underway());
    // Messages from now on go to standard error instead of waiting in a box.
    testing::internal::CaptureStderr();
    MessageBoxNotices().notice("Error", "The settings were not saved.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quillon: Error: The settings were not saved.\n");
}

TEST(Ending, TheMainWindowClosesOnceTheBoxesLoopHasReturned) {
    Forget forget;
    SystemClock clock;
    QtPump pump(clock);
    QEventLoop program;
    std::vector<std::string> order;
    pump.setOnQuit([&] {
        ending::begin([&] {
            order.push_back("main window closed at loop level " +
                            std::to_string(QThread::currentThread()->loopLevel()));
            program.quit();
        });
    });
    QTimer::singleShot(0, [&] {
        QMessageBox box(QMessageBox::Warning, "Warning", "A hot key is taken.", QMessageBox::Ok);
        QTimer::singleShot(0, [&] { pump.requestQuit(); });
        box.exec();
        order.push_back("box returned");
    });
    program.exec();
    EXPECT_EQ(order, (std::vector<std::string>{"box returned", "main window closed at loop level 1"}));
}

}  // namespace
}  // namespace qln::gui
