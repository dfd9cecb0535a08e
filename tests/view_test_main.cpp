#include <QGuiApplication>

#include <gtest/gtest.h>

// The view's pictures are compared with QPainter's; paint with the same
// platform set-up as the program, headless.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
