#include "OB_Time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {

void SetZone(const char* tz)
{
    setenv("TZ", tz, 1);
    tzset();
}

TEST(OB_Time, SystemTimeIsUtc)
{
    OB_SYSTEMTIME record{};
    time_t before = time(nullptr);
    OB_Time_GetSystemTime(&record);
    tm utc{};
    gmtime_r(&before, &utc);
    EXPECT_EQ(record.wYear, utc.tm_year + 1900);
    EXPECT_EQ(record.wMonth, utc.tm_mon + 1);
    EXPECT_LT(record.wMilliseconds, 1000);
    EXPECT_LE(record.wDayOfWeek, 6);
    OB_Time_GetSystemTime(nullptr);
    OB_Time_GetLocalTime(nullptr);
    EXPECT_EQ(OBCRT_GetCurrentSystemTime(nullptr), 0);
}

TEST(OB_Time, LocalRecordsInBothFieldOrders)
{
    SetZone("XST-5:30");
    for (int attempt = 0; attempt < 3; ++attempt) {
        OB_SYSTEMTIME local{};
        OB_DATETIMEZONE zoned{};
        OB_Time_GetLocalTime(&local);
        int minutes = OBCRT_GetCurrentSystemTime(&zoned);
        if (local.wSecond != zoned.second)
            continue; // a second passed between the two calls
        time_t now = time(nullptr);
        tm expected{};
        localtime_r(&now, &expected);
        EXPECT_EQ(local.wHour, expected.tm_hour);
        EXPECT_EQ(local.wDayOfWeek, zoned.dayOfWeek);
        EXPECT_EQ(local.wDay, zoned.day);
        EXPECT_EQ(local.wMonth, zoned.month);
        EXPECT_EQ(local.wYear, zoned.year);
        // Five and a half hours east: -5 hours west, 30 minutes.
        EXPECT_EQ(zoned.tzHour, -5);
        EXPECT_EQ(zoned.tzMinute, 30);
        EXPECT_EQ(minutes, 30);
        return;
    }
    FAIL() << "clock kept crossing seconds";
}

TEST(OB_Time, ZoneIncludesDaylightSaving)
{
    // Daylight saving all year round: standard time is 3 hours west, the clock runs 2 hours west.
    SetZone("AST3ADT,J1/0,J365/25");
    OB_DATETIMEZONE zoned{};
    OBCRT_GetCurrentSystemTime(&zoned);
    EXPECT_EQ(zoned.tzHour, 2);
    EXPECT_EQ(zoned.tzMinute, 0);
}

TEST(OB_Time, SleepAndClock)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OB_Time_Sleep(20), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    uint32_t before = OB_Time_GetClock();
    volatile double sink = 0;
    for (int i = 0; i < 2000000; ++i)
        sink = sink + i * 0.5;
    EXPECT_GE(OB_Time_GetClock(), before);
}

} // namespace
