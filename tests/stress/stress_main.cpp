// Test main of the window stress test: the offscreen platform on a small
// screen, so that the viewer's frames, which it allocates and fills
// thousands of times in a run, are small.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KELVORA_STRESS_SCREEN_CONFIG);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
