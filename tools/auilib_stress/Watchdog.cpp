#include "Watchdog.h"

#include "CrashReport.h"
#include "Progress.h"
#include "Trace.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

Watchdog::Watchdog(long long limitMs)
    : m_limitMs(limitMs)
    , m_thread([this] { watch(); })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Watchdog::watch()
{
    std::unique_lock<std::mutex> hold(m_lock);
    while (!m_stop) {
        m_wake.wait_for(hold, std::chrono::milliseconds(200));
        const long long busy = Progress::instance().busyMillis();
        if (!m_stop && busy > m_limitMs)
            reportAndExit(busy);
    }
}

void Watchdog::reportAndExit(long long busy)
{
    std::fprintf(stderr, "\nauilib_stress: stuck: %lld ms (the bound is %lld ms) in ", busy, m_limitMs);
    Progress::instance().writeWhere(stderr);
    std::fprintf(stderr, "\nauilib_stress: the last calls:\n");
    Trace::instance().writeTail(stderr, 40, 1000);
    std::fflush(stderr);
    CrashReport::requestMainThreadStack();
    // The main thread prints its stack from its signal handler; give it a moment.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::fprintf(stderr, "auilib_stress: ");
    Progress::instance().writeReplay(stderr);
    std::fflush(stderr);
    _exit(CrashReport::kExitStuck);
}
