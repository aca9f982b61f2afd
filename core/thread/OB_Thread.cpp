#include "OB_Thread.h"

#include "COB_MemoryMgr.h"
#include "COB_Object.h"
#include "COB_ProcessContext.h"
#include "COB_ThreadContext.h"
#include "OB_Lock.h"
#include "OB_Round.h"

#include <map>
#include <mutex>
#include <sched.h>

namespace {

// Linux runs ordinary threads under SCHED_OTHER, which has no priorities: the scheduling priority
// a thread was given is kept here so that it reads back as set.
std::mutex& PriorityMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<pthread_t, int>& Priorities()
{
    static std::map<pthread_t, int> table;
    return table;
}

void StorePriority(pthread_t thread, int schedPriority)
{
    std::lock_guard<std::mutex> lock(PriorityMutex());
    Priorities()[thread] = schedPriority;
}

void ForgetPriority(pthread_t thread)
{
    std::lock_guard<std::mutex> lock(PriorityMutex());
    Priorities().erase(thread);
}

struct StartRecord : public COB_Object
{
    OB_THREADPROC proc;
    int priority;
    void* param;
};

void* ThreadStart(void* arg)
{
    StartRecord* record = static_cast<StartRecord*>(arg);
    COB_ProcessContext* process = OB_Process_GetContext();
    if (!process) {
        delete record;
        return nullptr;
    }
    const pthread_t self = pthread_self();
    COB_ThreadContext* context = new COB_ThreadContext;
    if (context && !(context->Initialize() && process->SetThreadContext(self, context))) {
        // The thread still runs its procedure, only without the library's per-thread services.
        delete context;
        context = nullptr;
    }
    OB_THREADPROC proc = record->proc;
    void* param = record->param;
    OB_Thread_SetPriority(self, record->priority);
    delete record;
    proc(param);
    if (context) {
        // The process context may have been finalised meanwhile, taking this context with it.
        if (COB_ProcessContext* current = OB_Process_GetContext())
            current->RemoveThreadContext(self);
    }
    return nullptr;
}

} // namespace

int OBCRT_Thread_PriorityToSched(int priority)
{
    switch (priority) {
    case -2: return 1;
    case -1: return 25;
    case 1: return 75;
    case 2: return 99;
    default: return 50;
    }
}

int OBCRT_Thread_SchedToPriority(int schedPriority)
{
    return OBSYS_round((schedPriority - 50) / 25.0);
}

_OB_HTHREAD OBCRT_Thread_Create(int priority, uint32_t, OB_THREADPROC proc, void* param)
{
    if (!proc)
        return 0;
    StartRecord* record = new StartRecord;
    if (!record)
        return 0;
    record->proc = proc;
    record->priority = priority;
    record->param = param;
    pthread_t thread;
    if (pthread_create(&thread, nullptr, ThreadStart, record) != 0) {
        delete record;
        return 0;
    }
    return thread;
}

_OB_HTHREAD OB_Thread_Create(int priority, uint32_t stackSize, OB_THREADPROC proc, void* param)
{
    // A thread runs its procedure only inside a process context; without one it would end at
    // once, so it is not created at all and the caller learns so.
    if (!OB_Process_GetContext())
        return 0;
    return OBCRT_Thread_Create(priority, stackSize, proc, param);
}

void OB_Thread_Exit()
{
    // The handle may soon name another thread, which must not inherit this one's context.
    if (COB_ProcessContext* process = OB_Process_GetContext())
        process->RemoveThreadContext(pthread_self());
    ForgetPriority(pthread_self());
    pthread_exit(nullptr);
}

void OB_Thread_Yield()
{
    sched_yield();
}

_OB_HTHREAD OB_Thread_GetHandle()
{
    return pthread_self();
}

int OB_Thread_WaitForSingleThread(_OB_HTHREAD thread)
{
    int result = pthread_join(thread, nullptr);
    if (result == 0)
        ForgetPriority(thread);
    return result;
}

int OB_Thread_WaitForMultipleThreads(const _OB_HTHREAD* threads, int count)
{
    if (count < 1 || !threads)
        return 0;
    int first = 0;
    for (int i = 0; i < count; ++i) {
        int result = OB_Thread_WaitForSingleThread(threads[i]);
        if (result != 0 && first == 0)
            first = result;
    }
    return first;
}

int OB_Thread_GetPriority(_OB_HTHREAD thread)
{
    int policy = 0;
    sched_param param{};
    if (pthread_getschedparam(thread, &policy, &param) != 0)
        return 0;
    int schedPriority = 50;
    {
        std::lock_guard<std::mutex> lock(PriorityMutex());
        auto it = Priorities().find(thread);
        if (it != Priorities().end())
            schedPriority = it->second;
    }
    return OBCRT_Thread_SchedToPriority(schedPriority);
}

int OB_Thread_SetPriority(_OB_HTHREAD thread, int priority)
{
    int policy = 0;
    sched_param param{};
    int result = pthread_getschedparam(thread, &policy, &param);
    if (result != 0)
        return result;
    StorePriority(thread, OBCRT_Thread_PriorityToSched(priority));
    return 0;
}
