#ifndef OB_POSIXCALLS_H
#define OB_POSIXCALLS_H

// System calls as the library's file code makes them (internal to the library): retried when a
// signal interrupts them, and never handed a name that a NUL would cut short.

#include "COB_ByteStringC.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/types.h>

// True when the text holds a NUL: handed to the system it would silently name another file.
inline bool OB_HoldsNul(const COB_ByteStringC& path)
{
    return path.GetLength() > 0 && memchr(path.GetPtr(), 0, static_cast<size_t>(path.GetLength()));
}

// open(2) with close-on-exec; -1 when it fails.
inline int OB_OpenRetry(const char* name, int flags, mode_t permissions)
{
    int fd;
    do
        fd = ::open(name, flags | O_CLOEXEC, permissions);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// The platform may move fewer bytes than asked (signals, large counts): calls transfer(at, count)
// until size bytes moved, the end of the file or a real error; returns the bytes moved.
template <typename Byte, typename Transfer>
size_t OB_TransferAll(Byte* data, size_t size, Transfer transfer)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = transfer(data + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

#endif
