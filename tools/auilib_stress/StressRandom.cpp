#include "StressRandom.h"

#include <initializer_list>

namespace {

std::uint64_t splitMix(std::uint64_t &x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

StressRandom::StressRandom(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d)
{
    // Each name is mixed in on its own, so (1, 2) and (2, 1) start apart.
    std::uint64_t mix = 0x6A09E667F3BCC909ULL;
    for (std::uint64_t name : {a, b, c, d}) {
        mix ^= name;
        mix = splitMix(mix);
    }
    for (std::uint64_t &word : m_state)
        word = splitMix(mix);
}

std::uint64_t StressRandom::next()
{
    // xoshiro256**
    const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
    const std::uint64_t t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = rotl(m_state[3], 45);
    return result;
}

int StressRandom::below(int n)
{
    if (n <= 0)
        return 0;
    return static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

long long StressRandom::between(long long lo, long long hi)
{
    if (hi <= lo)
        return lo;
    const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) + 1;
    const std::uint64_t offset = span == 0 ? next() : next() % span; // span 0: the whole 64-bit range
    return static_cast<long long>(static_cast<std::uint64_t>(lo) + offset);
}

bool StressRandom::percent(int p)
{
    return below(100) < p;
}

double StressRandom::unit()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}
