#include "Progress.h"

#include <chrono>

namespace {

long long nowMillis()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

Progress &Progress::instance()
{
    // Never destroyed: Qt reports messages, and crash reports read it, after main returns.
    static Progress *progress = new Progress;
    return *progress;
}

void Progress::start(std::uint64_t seed, const std::string &replaySwitches)
{
    m_seed = seed;
    m_switches = replaySwitches;
}

void Progress::enter(long long sequence, int step, const char *phase)
{
    m_sequence.store(sequence);
    m_step.store(step);
    m_phase.store(phase);
    m_since.store(nowMillis());
}

void Progress::idle()
{
    m_since.store(-1);
    m_phase.store("idle");
}

long long Progress::busyMillis() const
{
    const long long since = m_since.load();
    return since < 0 ? -1 : nowMillis() - since;
}

void Progress::writeWhere(std::FILE *out) const
{
    std::fprintf(out, "seed %llu sequence %lld step %d (%s)", static_cast<unsigned long long>(m_seed), sequence(),
                 step(), phase());
}

void Progress::writeReplay(std::FILE *out) const
{
    std::fprintf(out, "replay: auilib_stress --seed %llu --replay %lld%s\n", static_cast<unsigned long long>(m_seed),
                 sequence(), m_switches.c_str());
}
