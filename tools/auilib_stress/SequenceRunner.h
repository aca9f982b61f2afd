#pragma once

#include "World.h"

#include <chrono>
#include <memory>
#include <optional>

class ModalCloser;
class StressFiles;
class StressOptions;
class StressRandom;

// Runs the sequences the command line asks for. A sequence builds a fresh world
// (windows and controls in code, from a form through the toolkit's dialog, from
// the same form through QUiLoader, the download dialog), runs its steps one by
// one from the running event loop, and tears the world down; each step is an
// operation with hostile arguments, an input, or a change of the world (a new
// control or window, a release, a deletion, a global setting). Step k of
// sequence s draws only from (seed, s, k), so a replay of one sequence repeats
// it without the ones before.
class SequenceRunner
{
public:
    SequenceRunner(const StressOptions &options, StressFiles &files);
    ~SequenceRunner();

    // The process's exit code: 0 when no sequence found a fault.
    int run();

    // The names --skip takes for changes of the world.
    static const char *const kWorldNames[];
    static const int kWorldCount;

private:
    bool runSequence(long long sequence);
    void build(World &world, long long sequence);
    void runStep(World &world, long long sequence, int step);
    void changeWorld(World &world, StressRandom &random);
    void addWindow(World &world, StressRandom &random);
    void deleteWidget(World &world, StressRandom &random);
    void changeGlobals(StressRandom &random);
    void restoreGlobals();

    const StressOptions &m_options;
    StressFiles &m_files;
    std::unique_ptr<ModalCloser> m_closer;
    long long m_steps = 0;
    // With --minutes: when the run ends, in the middle of a sequence if need be.
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
};
