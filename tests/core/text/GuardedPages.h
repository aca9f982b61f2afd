#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <cwchar>

// Unterminated "abc" and L"xyz", each ending right before an unreadable page: a read past
// either one faults at once.
struct GuardedPages
{
    GuardedPages()
        : page(static_cast<size_t>(sysconf(_SC_PAGESIZE)))
        , map(static_cast<char*>(mmap(nullptr, 4 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)))
    {
        if (!ok())
            return;
        mprotect(map + page, page, PROT_NONE);
        mprotect(map + 3 * page, page, PROT_NONE);
        narrow = map + page - 3;
        memcpy(narrow, "abc", 3);
        wide = reinterpret_cast<wchar_t*>(map + 3 * page) - 3;
        wmemcpy(wide, L"xyz", 3);
    }
    ~GuardedPages()
    {
        if (ok())
            munmap(map, 4 * page);
    }
    bool ok() const { return map != MAP_FAILED; }

    size_t page;
    char* map;
    char* narrow = nullptr;
    wchar_t* wide = nullptr;
};
