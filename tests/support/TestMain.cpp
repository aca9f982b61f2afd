#include "SanitizerReports.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A sanitizer report of a child process fails the test program; it is shown
// under the test that was running when it was found.
class ChildReportListener : public ::testing::EmptyTestEventListener
{
public:
    bool found = false;

    void OnTestEnd(const ::testing::TestInfo &test) override
    {
        report(QStringLiteral("%1.%2").arg(QString::fromUtf8(test.test_suite_name()), QString::fromUtf8(test.name())));
    }

    void report(const QString &when)
    {
        for (const QString &text : SanitizerReports::take()) {
            std::fprintf(stderr, "sanitizer report of a child process, found after %s, in %s\n",
                         qUtf8Printable(when), qUtf8Printable(text));
            found = true;
        }
    }
};

} // namespace

// Every test program runs a QApplication on the offscreen platform, so widget
// tests need no display.
int main(int argc, char **argv)
{
    SanitizerReports::redirectChildren();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    auto *listener = new ChildReportListener; // owned by the listener list
    ::testing::UnitTest::GetInstance()->listeners().Append(listener);
    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    listener->report(QStringLiteral("the end of the program"));
    SanitizerReports::cleanUp();
    return listener->found ? 1 : result;
}
