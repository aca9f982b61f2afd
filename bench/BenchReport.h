#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// Prints the usual console table and keeps each benchmark's time per iteration, so that a
// benchmark's main can print ratios between pairs once every run is done.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    // The time of `numerator` over that of `denominator`; empty when either did not run (a filter
    // left it out) or took no measurable time.
    std::optional<double> Ratio(const std::string& numerator, const std::string& denominator) const
    {
        auto top = m_times.find(numerator);
        auto bottom = m_times.find(denominator);
        if (top == m_times.end() || bottom == m_times.end() || top->second <= 0 || bottom->second <= 0)
            return std::nullopt;
        return top->second / bottom->second;
    }

private:
    std::map<std::string, double> m_times;
};
