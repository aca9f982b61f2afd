#include "COB_ThreadContext.h"

#include "COB_ProcessContext.h"

COB_ThreadContext* OB_Thread_GetContext(_OB_HTHREAD thread)
{
    COB_ProcessContext* process = OB_Process_GetContext();
    return process ? process->GetThreadContext(thread) : nullptr;
}

COB_ThreadContext* OB_Thread_GetContext()
{
    return OB_Thread_GetContext(OB_Thread_GetHandle());
}

uint32_t OB_Thread_GetLastError()
{
    COB_ThreadContext* context = OB_Thread_GetContext();
    return context ? context->m_LastError : 0;
}

void OB_Thread_SetLastError(uint32_t code)
{
    if (COB_ThreadContext* context = OB_Thread_GetContext())
        context->m_LastError = code;
}

COB_PrivateData* OB_Thread_GetPrivateData()
{
    COB_ThreadContext* context = OB_Thread_GetContext();
    return context ? &context->m_PrivateData : nullptr;
}

void* OB_Thread_GetPrivateData(void* key)
{
    COB_PrivateData* data = OB_Thread_GetPrivateData();
    return data ? data->GetPrivateData(key) : nullptr;
}

void OB_Thread_SetPrivateData(void* key, void* data, OB_PD_CALLBACK_FREEDATA release)
{
    if (COB_PrivateData* list = OB_Thread_GetPrivateData())
        list->SetPrivateData(key, data, release);
}

bool OB_Thread_RemovePrivateData(void* key)
{
    COB_PrivateData* data = OB_Thread_GetPrivateData();
    return data && data->RemovePrivateData(key);
}

COB_ExceptionContext* OB_Thread_GetExceptionContext()
{
    COB_ThreadContext* context = OB_Thread_GetContext();
    return context ? &context->m_ExceptionContext : nullptr;
}

void* OB_Thread_GetHandler()
{
    COB_ProcessContext* process = OB_Process_GetContext();
    return process ? process->m_pThreadHandler : nullptr;
}

void OB_Thread_SetHandler(void* handler)
{
    if (COB_ProcessContext* process = OB_Process_GetContext())
        process->m_pThreadHandler = handler;
}
