// Formatting of the wide string. Unlike the byte string it prints in the current locale.
#include "COB_WideString.h"

#include "OB_FormatScan.h"

#include <cerrno>
#include <cstdint>
#include <cwchar>

void COB_WideString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void COB_WideString::FormatV(const wchar_t* format, va_list args)
{
    if (!format) {
        Empty();
        return;
    }
    va_list scan;
    va_copy(scan, args);
    OB_FormatPlan plan = OB_ScanFormat(format, scan);
    va_end(scan);
    if (plan.verdict == OB_FORMAT_BAD_WIDTH) {
        *this = L"Bad width";
        return;
    }
    if (plan.verdict == OB_FORMAT_BAD_PRECISION) {
        *this = L"Bad precision";
        return;
    }

    // vswprintf cannot measure: it fails when the room is short. So the text is printed into
    // the estimated room (short texts on the stack) and, should that fail for lack of room,
    // into ever larger blocks: nothing is ever cut off. A failure that is not a lack of room
    // (errno set, e.g. a byte text not valid in the locale) gives the empty string.
    wchar_t local[256];
    va_list attempt;
    const int64_t localRoom = static_cast<int64_t>(sizeof local / sizeof local[0]);
    int64_t room = plan.estimate;
    if (room < localRoom) {
        va_copy(attempt, args);
        errno = 0;
        int n = vswprintf(local, static_cast<size_t>(localRoom), format, attempt);
        va_end(attempt);
        if (n >= 0) {
            AssignCopy(static_cast<int>(wcslen(local)), local);
            return;
        }
        if (errno != 0) {
            Empty();
            return;
        }
        room = localRoom * 4;
    }
    // A separate string, since the arguments may point into this one.
    const int64_t maxRoom = INT32_MAX / static_cast<int64_t>(sizeof(wchar_t)) - 1;
    for (;; room *= 4) {
        if (room > maxRoom)
            room = maxRoom;
        COB_WideString result;
        wchar_t* buffer = result.GetBuffer(static_cast<int>(room));
        if (!buffer)
            break;
        va_copy(attempt, args);
        errno = 0;
        int n = vswprintf(buffer, static_cast<size_t>(room) + 1, format, attempt);
        va_end(attempt);
        if (n >= 0) {
            result.ReleaseBuffer(-1);
            *this = result;
            return;
        }
        if (errno != 0 || room == maxRoom)
            break;
    }
    Empty();
}
