#include "CrashReport.h"

#include "Progress.h"
#include "Trace.h"

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <execinfo.h>
#include <pthread.h>
#include <set>
#include <unistd.h>

#if defined(ORBEL_SANITIZE)
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace {

std::atomic<bool> g_reported{false};
pthread_t g_mainThread;
constexpr int kStackSignal = SIGUSR2;
constexpr int kTailLines = 40;

void writeTail()
{
    std::fprintf(stderr, "auilib_stress: the last calls:\n");
    Trace::instance().writeTail(stderr, kTailLines, 500);
}

#if defined(ORBEL_SANITIZE)
void onSanitizerDeath()
{
    CrashReport::write("a sanitizer report");
}
#endif

void onFatalSignal(int signal)
{
    char why[64];
    std::snprintf(why, sizeof(why), "signal %d (%s)", signal, strsignal(signal));
    CrashReport::write(why);
    std::raise(signal); // the handler was reset: the process ends as the signal ends it
}

void onStackSignal(int)
{
    std::fprintf(stderr, "auilib_stress: the main thread is here:\n");
#if defined(ORBEL_SANITIZE)
    __sanitizer_print_stack_trace();
#else
    void *frames[64];
    const int count = backtrace(frames, 64);
    backtrace_symbols_fd(frames, count, STDERR_FILENO);
#endif
    std::fflush(stderr);
}

void onQtMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    const QByteArray text = message.left(300).toLocal8Bit();
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "auilib_stress: Qt fatal message: %s\n", text.constData());
        CrashReport::write("a fatal Qt message");
        return; // Qt aborts after this
    }
    // Qt repeats itself (a paint of a broken backing store warns for every call of
    // the painter): each warning once per step, so that the calls stay in the trace.
    static long long step = -2;
    static std::set<QByteArray> seen;
    const long long now = Progress::instance().sequence() * 1000000 + Progress::instance().step();
    if (now != step) {
        step = now;
        seen.clear();
    }
    if (seen.size() < 6 && seen.insert(text).second)
        Trace::instance().line(std::string("qt: ") + text.constData());
}

} // namespace

void CrashReport::install()
{
    g_mainThread = pthread_self();
#if defined(ORBEL_SANITIZE)
    __sanitizer_set_death_callback(onSanitizerDeath);
    // AddressSanitizer handles the memory faults itself and calls the death callback.
    const int signals[] = {SIGABRT};
#else
    const int signals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
#endif
    // A fault may be a stack overflow (a recursion without end): the handler
    // then needs a stack of its own.
    static char alternate[1 << 16];
    stack_t stack{};
    stack.ss_sp = alternate;
    stack.ss_size = sizeof(alternate);
    sigaltstack(&stack, nullptr);
    for (int signal : signals) {
        struct sigaction action{};
        action.sa_handler = onFatalSignal;
        action.sa_flags = SA_ONSTACK | SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
    std::signal(kStackSignal, onStackSignal);
    qInstallMessageHandler(onQtMessage);
}

void CrashReport::write(const char *why)
{
    if (g_reported.exchange(true))
        return;
    std::fflush(stdout);
    std::fprintf(stderr, "\nauilib_stress: %s in ", why);
    Progress::instance().writeWhere(stderr);
    std::fprintf(stderr, "\n");
    writeTail();
    std::fprintf(stderr, "auilib_stress: ");
    Progress::instance().writeReplay(stderr);
    std::fflush(stderr);
}

bool CrashReport::leaksFound()
{
#if defined(ORBEL_SANITIZE)
    if (__lsan_do_recoverable_leak_check() != 0) {
        std::fprintf(stderr, "auilib_stress: memory lost by ");
        Progress::instance().writeWhere(stderr);
        std::fprintf(stderr, "\nauilib_stress: ");
        Progress::instance().writeReplay(stderr);
        std::fflush(stderr);
        return true;
    }
#endif
    return false;
}

void CrashReport::requestMainThreadStack()
{
    pthread_kill(g_mainThread, kStackSignal);
}
