#include "FreshProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The new process has no listener to print its failures (Google Test silences
// them there), so they go to its error output, which the test shows when the
// process fails. True when there were any.
bool reportFailures()
{
    const ::testing::TestResult &result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    bool failed = false;
    for (int i = 0; i < result.total_part_count(); ++i) {
        const ::testing::TestPartResult &part = result.GetTestPartResult(i);
        if (!part.failed())
            continue;
        std::fprintf(stderr, "%s:%d: %s\n", part.file_name() ? part.file_name() : "?", part.line_number(),
                     part.message());
        failed = true;
    }
    std::fflush(stderr);
    return failed;
}

} // namespace

void runInFreshProcess(const std::function<void()> &body)
{
    // A death test re-runs this program for this one test (the test main asks for
    // the "threadsafe" style) and runs the statement there. The process ends
    // without running static destructors: the QApplication of main still lives.
    EXPECT_EXIT(
        {
            body();
            std::_Exit(reportFailures() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
