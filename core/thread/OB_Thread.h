#ifndef OB_THREAD_H
#define OB_THREAD_H

#include <cstdint>
#include <pthread.h>

typedef pthread_t _OB_HTHREAD;
typedef void (*OB_THREADPROC)(void* param);

// Priority scale -2..2 (scheduling priority 1, 25, 50, 75, 99; anything else 50).
// The thread runs its procedure inside a thread context of its own (OB_Process_Initialize must
// have made the process context). Returns null when the thread was not created, and also when
// no process context exists, since the thread could not run its procedure without one.
_OB_HTHREAD OB_Thread_Create(int priority, uint32_t stackSize, OB_THREADPROC proc, void* param);
_OB_HTHREAD OBCRT_Thread_Create(int priority, uint32_t stackSize, OB_THREADPROC proc, void* param);
void OB_Thread_Exit();
void OB_Thread_Yield();
_OB_HTHREAD OB_Thread_GetHandle();
int OB_Thread_WaitForSingleThread(_OB_HTHREAD thread);
int OB_Thread_WaitForMultipleThreads(const _OB_HTHREAD* threads, int count);
int OB_Thread_GetPriority(_OB_HTHREAD thread);
int OB_Thread_SetPriority(_OB_HTHREAD thread, int priority);

// Scheduling priority of a scale value, and the scale value of a scheduling priority.
int OBCRT_Thread_PriorityToSched(int priority);
int OBCRT_Thread_SchedToPriority(int schedPriority);

#endif
