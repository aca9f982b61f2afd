#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs a QApplication on the offscreen platform, so widget
// tests need no display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
