#ifndef COB_THREADCONTEXT_H
#define COB_THREADCONTEXT_H

#include <cstdint>

#include "COB_Exception.h"
#include "COB_Object.h"
#include "COB_PrivateData.h"
#include "OB_Thread.h"

// What the library keeps for one thread: its private data, its exception frames and its last
// error. Used by its own thread only.
class COB_ThreadContext : public COB_Object
{
public:
    COB_ThreadContext() : m_LastError(0) {}
    ~COB_ThreadContext() { Finalize(); }
    COB_ThreadContext(const COB_ThreadContext&) = delete;
    COB_ThreadContext& operator=(const COB_ThreadContext&) = delete;

    bool Initialize() { return m_ExceptionContext.Initialize(); }
    void Finalize()
    {
        m_PrivateData.ClearAll();
        m_ExceptionContext.Finalize();
    }

    COB_PrivateData m_PrivateData;
    COB_ExceptionContext m_ExceptionContext;
    uint32_t m_LastError;
};

// The calling thread's context (or that of a given thread); null without a process context or
// when the thread has none.
COB_ThreadContext* OB_Thread_GetContext();
COB_ThreadContext* OB_Thread_GetContext(_OB_HTHREAD thread);
uint32_t OB_Thread_GetLastError();
void OB_Thread_SetLastError(uint32_t code);
COB_PrivateData* OB_Thread_GetPrivateData();
void* OB_Thread_GetPrivateData(void* key);
void OB_Thread_SetPrivateData(void* key, void* data, OB_PD_CALLBACK_FREEDATA release);
bool OB_Thread_RemovePrivateData(void* key);
COB_ExceptionContext* OB_Thread_GetExceptionContext();
// The process context's thread handler pointer (null without a process context).
void* OB_Thread_GetHandler();
void OB_Thread_SetHandler(void* handler);

#endif
