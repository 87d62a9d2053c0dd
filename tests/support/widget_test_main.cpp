// Test main for window tests: a QApplication (widgets need one) on the
// offscreen platform, then GoogleTest. List this source in a widget test
// program instead of using the QGuiApplication main of the support library.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
