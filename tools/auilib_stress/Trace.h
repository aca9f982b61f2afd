#pragma once

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>

// One line per call the run makes (operations, input, handlers and what they
// did), headed by the sequence and step. The last lines are kept for a report
// of a fault or a stuck step; while a sequence is replayed every line is also
// printed as it happens, so the line before a crash is the call that made it.
class Trace
{
public:
    static Trace &instance();

    void setLive(bool live) { m_live.store(live); }
    bool live() const { return m_live.load(); }

    // Handler lines are indented by the depth of the handler that writes them.
    void setDepth(int depth) { m_depth = depth; }
    void line(const std::string &text);

    // Prints the last `count` lines, indented, without allocating (the heap of a
    // crashing process may be broken); gives up after `waitMs` when another thread
    // holds the lines, so that a report never hangs on the main thread.
    void writeTail(std::FILE *out, int count, int waitMs);
    void clear();

private:
    static constexpr std::size_t kKept = 600;

    std::timed_mutex m_lock;
    std::deque<std::string> m_lines;
    std::atomic<bool> m_live{false};
    int m_depth = 0;
};
