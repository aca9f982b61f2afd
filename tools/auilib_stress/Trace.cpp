#include "Trace.h"

#include "Progress.h"

#include <chrono>

Trace &Trace::instance()
{
    // Never destroyed: Qt reports messages, and crash reports read it, after main returns.
    static Trace *trace = new Trace;
    return *trace;
}

void Trace::line(const std::string &text)
{
    const Progress &progress = Progress::instance();
    std::string full = "s" + std::to_string(progress.sequence()) + " k" + std::to_string(progress.step()) + " " +
                       std::string(static_cast<std::size_t>(m_depth) * 2, ' ') + text;
    if (m_live.load()) {
        std::fprintf(stdout, "%s\n", full.c_str());
        std::fflush(stdout);
    }
    std::lock_guard<std::timed_mutex> hold(m_lock);
    m_lines.push_back(std::move(full));
    if (m_lines.size() > kKept)
        m_lines.pop_front();
}

void Trace::writeTail(std::FILE *out, int count, int waitMs)
{
    std::unique_lock<std::timed_mutex> hold(m_lock, std::defer_lock);
    if (!hold.try_lock_for(std::chrono::milliseconds(waitMs))) {
        std::fprintf(out, "  (the trace is busy; its tail is not shown)\n");
        return;
    }
    const std::size_t first = m_lines.size() > static_cast<std::size_t>(count) ? m_lines.size() - count : 0;
    for (std::size_t i = first; i < m_lines.size(); ++i)
        std::fprintf(out, "  %s\n", m_lines[i].c_str());
}

void Trace::clear()
{
    std::lock_guard<std::timed_mutex> hold(m_lock);
    m_lines.clear();
}
