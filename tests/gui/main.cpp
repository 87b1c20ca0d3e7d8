// The forms' tests run with a QApplication on the offscreen platform (set by CTest; set it when running by hand).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Also when CTest lists the tests, which it does without the test's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
