#include "OB_Time.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/time.h>

namespace {

bool Now(tm* broken, long* microseconds, bool local)
{
    timeval tv{};
    if (gettimeofday(&tv, nullptr) != 0)
        return false;
    time_t seconds = tv.tv_sec;
    if (!(local ? localtime_r(&seconds, broken) : gmtime_r(&seconds, broken)))
        return false;
    *microseconds = tv.tv_usec;
    return true;
}

void Fill(OB_SYSTEMTIME* record, bool local)
{
    if (!record)
        return;
    tm broken{};
    long microseconds = 0;
    if (!Now(&broken, &microseconds, local))
        return;
    record->wYear = static_cast<uint16_t>(broken.tm_year + 1900);
    record->wMonth = static_cast<uint16_t>(broken.tm_mon + 1);
    record->wDayOfWeek = static_cast<uint16_t>(broken.tm_wday);
    record->wDay = static_cast<uint16_t>(broken.tm_mday);
    record->wHour = static_cast<uint16_t>(broken.tm_hour);
    record->wMinute = static_cast<uint16_t>(broken.tm_min);
    record->wSecond = static_cast<uint16_t>(broken.tm_sec);
    record->wMilliseconds = static_cast<uint16_t>(microseconds / 1000);
}

} // namespace

void OB_Time_GetSystemTime(OB_SYSTEMTIME* record)
{
    Fill(record, false);
}

void OB_Time_GetLocalTime(OB_SYSTEMTIME* record)
{
    Fill(record, true);
}

int OBCRT_GetCurrentSystemTime(OB_DATETIMEZONE* record)
{
    if (!record)
        return 0;
    std::memset(record, 0, sizeof(*record));
    tm broken{};
    long microseconds = 0;
    if (!Now(&broken, &microseconds, true))
        return 0;
    record->year = static_cast<uint16_t>(broken.tm_year + 1900);
    record->month = static_cast<uint16_t>(broken.tm_mon + 1);
    record->day = static_cast<uint16_t>(broken.tm_mday);
    record->dayOfWeek = static_cast<uint16_t>(broken.tm_wday);
    record->hour = static_cast<uint16_t>(broken.tm_hour);
    record->minute = static_cast<uint16_t>(broken.tm_min);
    record->second = static_cast<uint16_t>(broken.tm_sec);
    record->milliseconds = static_cast<uint16_t>(microseconds / 1000);
    // The offset of this very moment (daylight saving included), as seconds west of UTC.
    long west = -broken.tm_gmtoff;
    record->tzHour = static_cast<int32_t>(west / 3600);
    record->tzMinute = static_cast<uint16_t>((std::labs(west) % 3600) / 60);
    return record->tzMinute;
}

uint32_t OB_Time_GetClock()
{
    return static_cast<uint32_t>(static_cast<unsigned long long>(clock()) * 1000 / CLOCKS_PER_SEC);
}

int OB_Time_Sleep(uint32_t milliseconds)
{
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
    return 0;
}
