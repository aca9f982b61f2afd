#include "AUILibLogger.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

class AUILibLoggerTest : public ::testing::Test
{
protected:
    void SetUp() override { log.Clear(); }
    void TearDown() override { log.Clear(); }

    std::wstring written()
    {
        std::wostringstream out;
        log.WriteLog(out);
        return out.str();
    }

    AUILibLogger &log = AUILibLogger::GetInstance();
};

TEST_F(AUILibLoggerTest, WritesBySeverityThenInLoggingOrder)
{
    log.LogError(L"b");
    log.LogInfo(L"a");
    log.LogError(L"c");
    log.LogFatalError(L"f");
    log.LogWarning(L"w");
    EXPECT_EQ(written(), L"Info: a\nWarning: w\nError: b\nError: c\nFatal Error: f\n");
    // Writing removes nothing.
    EXPECT_EQ(log.GetLogCount(), 5u);
}

TEST_F(AUILibLoggerTest, EveryMessageIsAnEntryEvenRepeatedOrEndingInALineFeed)
{
    log.LogInfo(L"same");
    log.LogInfo(L"same");
    log.LogInfo(L"x\n");
    log.LogInfo(L"x\n");
    EXPECT_EQ(log.GetLogCount(), 4u);
    EXPECT_EQ(written(), L"Info: same\nInfo: same\nInfo: x\n\nInfo: x\n\n");
}

TEST_F(AUILibLoggerTest, ClearEmptiesAndAnEmptyLogWritesNothing)
{
    log.LogWarning(L"w");
    log.Clear();
    EXPECT_EQ(log.GetLogCount(), 0u);
    EXPECT_EQ(written(), L"");
}

TEST_F(AUILibLoggerTest, ExceptionTextIsDecodedAsUtf8WithLatin1ForBrokenBytes)
{
    log.LogException(std::runtime_error("bad"));
    log.LogException(std::runtime_error("caf\xc3\xa9 \xe2\x82\xac"));
    log.LogException(std::runtime_error("caf\xe9"));
    EXPECT_EQ(written(), L"Exception: bad\nException: caf\u00e9 \u20ac\nException: caf\u00e9\n");
}
