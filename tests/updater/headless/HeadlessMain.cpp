// The update check's tests without widgets: a plain QCoreApplication, and no
// download window registered, as a check run by a program without a display would
// have it. A widget made here ends the program ("Cannot create a QWidget without
// QApplication"), so every test of this program shows the check needs none.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
