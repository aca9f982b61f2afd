#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The command line of auilib_stress:
//   --seed N          the run's seed (default 1)
//   --minutes M       run sequences 0, 1, 2 ... until M minutes (a decimal number) have passed
//   --seqs K          run sequences 0 .. K-1
//   --replay S        run sequence S alone, printing every call as it is made
//   --only LIST       with --replay: only these steps ("3,17,40-45"), to narrow a fault down
//   --steps N         steps per sequence (default 200)
//   --skip NAME       leave out an operation ("DeleteItem", "ListBox.DeleteItem"), a control kind
//                     ("ListBox"), an input ("drag"), a handler action ("release-window") or an
//                     argument family ("huge-text", "huge-size"); repeated or comma-separated
//   --trace           print every call of every sequence
//   --list            print the names --skip takes, and exit
class StressOptions
{
public:
    // False with a message on stderr for a command line that cannot be run.
    bool parse(const std::vector<std::string> &arguments);

    bool skipped(const std::string &name) const { return skips.count(name) != 0; }
    // Whether step k runs in this run (every step but with --only).
    bool runsStep(int step) const;
    // The switches a replay of one sequence has to repeat, with a leading space.
    std::string replaySwitches() const;

    std::uint64_t seed = 1;
    double minutes = 0;
    long long sequences = 0;
    long long replay = -1;
    int steps = 200;
    std::set<std::string> skips;
    std::vector<std::pair<int, int>> only;
    bool trace = false;
    bool list = false;

    static constexpr int kDefaultSteps = 200;
};
