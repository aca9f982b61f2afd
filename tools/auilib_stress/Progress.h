#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

// Where the run stands: the seed, the sequence, the step and when it began,
// and the command line that replays the sequence. The main thread writes it;
// the watchdog thread and the crash reports read it.
class Progress
{
public:
    static Progress &instance();

    // Once, before any other thread reads: the switches a replay must repeat
    // (--skip, --steps) besides the seed and the sequence.
    void start(std::uint64_t seed, const std::string &replaySwitches);
    // A new phase ("build", "step", "teardown") of a sequence; stamps the time.
    void enter(long long sequence, int step, const char *phase);
    // Between sequences and at the end: nothing is timed.
    void idle();

    std::uint64_t seed() const { return m_seed; }
    long long sequence() const { return m_sequence.load(); }
    int step() const { return m_step.load(); }
    const char *phase() const { return m_phase.load(); }
    // Milliseconds since the last enter(), -1 while idle.
    long long busyMillis() const;

    // "seed N sequence S step K (phase)" and the command that replays it.
    void writeWhere(std::FILE *out) const;
    void writeReplay(std::FILE *out) const;

private:
    std::uint64_t m_seed = 0;
    std::string m_switches;
    std::atomic<long long> m_sequence{-1};
    std::atomic<int> m_step{-1};
    std::atomic<const char *> m_phase{"start"};
    std::atomic<long long> m_since{-1};
};
