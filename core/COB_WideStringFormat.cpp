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
    OB_FormatVerdict verdict = OB_CheckFormat(format, scan);
    va_end(scan);
    if (verdict == OB_FORMAT_BAD_WIDTH) {
        *this = L"Bad width";
        return;
    }
    if (verdict == OB_FORMAT_BAD_PRECISION) {
        *this = L"Bad precision";
        return;
    }

    // vswprintf cannot measure: it fails when the room is short. So the text is tried on the
    // stack, then in ever larger blocks, until it fits; nothing is ever cut off. A failure
    // that is not a lack of room (errno set, e.g. a byte text not valid in the locale) gives empty.
    wchar_t local[256];
    va_list attempt;
    va_copy(attempt, args);
    errno = 0;
    int n = vswprintf(local, sizeof local / sizeof local[0], format, attempt);
    va_end(attempt);
    if (n >= 0) {
        AssignCopy(static_cast<int>(wcslen(local)), local);
        return;
    }
    // A separate string, since the arguments may point into this one.
    for (int64_t room = 1024; errno == 0 && room <= INT32_MAX / static_cast<int64_t>(sizeof(wchar_t)); room *= 4) {
        COB_WideString result;
        wchar_t* buffer = result.GetBuffer(static_cast<int>(room));
        if (!buffer)
            break;
        va_copy(attempt, args);
        n = vswprintf(buffer, static_cast<size_t>(room) + 1, format, attempt);
        va_end(attempt);
        if (n >= 0) {
            result.ReleaseBuffer(-1);
            *this = result;
            return;
        }
    }
    Empty();
}
