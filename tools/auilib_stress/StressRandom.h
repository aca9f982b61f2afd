#pragma once

#include <cstdint>

// The random numbers of one part of a run: a small generator whose whole state
// comes from the numbers that name that part (seed, sequence, step, handler
// call), so that any step of any sequence can be made again on its own, and a
// step that fires one handler more or less leaves the next step as it was.
class StressRandom
{
public:
    explicit StressRandom(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0, std::uint64_t d = 0);

    std::uint64_t next();
    // 0 .. n - 1; 0 for n of 0 or less.
    int below(int n);
    // lo .. hi, both included; any 64-bit range.
    long long between(long long lo, long long hi);
    // True with a chance of p in 100.
    bool percent(int p);
    // [0, 1).
    double unit();

private:
    std::uint64_t m_state[4];
};
