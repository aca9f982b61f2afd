#pragma once

// What the run prints when it ends in a fault: a sanitizer report (AddressSanitizer,
// UndefinedBehaviorSanitizer, a leak), a crash, an abort or a fatal Qt message. The
// report names the seed, the sequence and the step, the command that replays the
// sequence, and the last lines of the trace; the process then ends as it would
// have (the sanitizer's exit code, the signal).
class CrashReport
{
public:
    // Installs the sanitizer's death callback, the signal handlers and the Qt
    // message handler (warnings go to the trace). Call once, on the main thread.
    static void install();

    // The report, headed by `why`; printed once per process.
    static void write(const char *why);

    // Under LeakSanitizer: looks for memory lost since the last look, prints the
    // leak report and the report's replay line, and answers true when some was.
    // Elsewhere false.
    static bool leaksFound();

    // From another thread: has the main thread print its own stack (the watchdog's
    // view of where a step is stuck).
    static void requestMainThreadStack();

    // Process exit codes of the run's own verdicts.
    static constexpr int kExitStuck = 3;
    static constexpr int kExitLeak = 4;
};
