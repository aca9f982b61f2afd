#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// A thread that ends the run when one step (or the building or the teardown of a
// sequence) has taken longer than the bound: it prints the seed, the sequence and
// the step, the trace's tail, the main thread's stack and the replay command, and
// exits with CrashReport::kExitStuck.
class Watchdog
{
public:
    explicit Watchdog(long long limitMs);
    ~Watchdog();
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

private:
    void watch();
    void reportAndExit(long long busy);

    long long m_limitMs;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
