#ifndef COB_PROCESSCONTEXT_H
#define COB_PROCESSCONTEXT_H

#include "COB_MapPtrToPtr.h"
#include "COB_Object.h"
#include "COB_PrivateData.h"
#include "OB_Lock.h"
#include "OB_Thread.h"

class COB_ThreadContext;

// The process-wide context, hung from the default memory manager: process private data and one
// context per thread, found under the process mutex.
class COB_ProcessContext : public COB_Object
{
public:
    COB_ProcessContext();
    ~COB_ProcessContext();
    COB_ProcessContext(const COB_ProcessContext&) = delete;
    COB_ProcessContext& operator=(const COB_ProcessContext&) = delete;

    // False when the process mutex could not be made; such a context is never used.
    bool IsReady() const { return m_bMutexReady; }

    // Lookups copy the pointer out: a context must not be removed while its thread runs.
    COB_ThreadContext* GetThreadContext(_OB_HTHREAD thread);
    bool SetThreadContext(_OB_HTHREAD thread, COB_ThreadContext* context);
    // Removes and destroys the thread's context.
    void RemoveThreadContext(_OB_HTHREAD thread);
    // Clears the process private data and destroys every thread context.
    void FinalizeAll();

    COB_PrivateData m_PrivateData;
    OB_MUTEX m_Mutex;
    COB_MapPtrToPtr m_ThreadMap;
    void* m_pThreadHandler;

private:
    bool m_bMutexReady;
};

// Creates the process context, with a context for the calling thread, unless one exists.
void OB_Process_Initialize();
void OB_Process_Finalize();
int OB_Process_GetID();
COB_ProcessContext* OB_Process_GetContext();
COB_PrivateData* OB_Process_GetPrivateData();
void* OB_Process_GetPrivateData(void* key);
void OB_Process_SetPrivateData(void* key, void* data, OB_PD_CALLBACK_FREEDATA release);
bool OB_Process_RemovePrivateData(void* key);

#endif
