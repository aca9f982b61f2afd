#pragma once

#include <csignal>
#include <sys/resource.h>

// A full disk for a scope: the process may not write files past the given size
// (RLIMIT_FSIZE), and a write past it fails instead of raising the signal that
// would end the test.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    struct rlimit m_old;
    void (*m_handler)(int) = nullptr;
    bool m_set = false;
};
