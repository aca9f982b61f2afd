#ifndef OB_TIME_H
#define OB_TIME_H

#include <cstdint>

struct OB_SYSTEMTIME
{
    uint16_t wYear;
    uint16_t wMonth; // 1-12
    uint16_t wDayOfWeek; // 0 = Sunday
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

// Note the day fields stand in the opposite order from OB_SYSTEMTIME.
struct OB_DATETIMEZONE
{
    uint16_t year;
    uint16_t month; // 1-12
    uint16_t day;
    uint16_t dayOfWeek; // 0 = Sunday
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
    int32_t tzHour;
    uint16_t tzMinute;
};

void OB_Time_GetSystemTime(OB_SYSTEMTIME* record);
void OB_Time_GetLocalTime(OB_SYSTEMTIME* record);
// Fills the record in local time; returns the zone minutes.
int OBCRT_GetCurrentSystemTime(OB_DATETIMEZONE* record);
uint32_t OB_Time_GetClock();
int OB_Time_Sleep(uint32_t milliseconds);

#endif
