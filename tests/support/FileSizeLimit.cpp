#include "FileSizeLimit.h"

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    struct rlimit tight = m_old;
    tight.rlim_cur = bytes;
    m_set = setrlimit(RLIMIT_FSIZE, &tight) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_handler);
}
