#include "COB_ProcessContext.h"

#include "COB_MemoryMgr.h"
#include "COB_ThreadContext.h"

#include <mutex>
#include <unistd.h>

namespace {

// Creating and destroying the process context are rare and must not race each other.
std::mutex& LifeMutex()
{
    static std::mutex mutex;
    return mutex;
}

void* KeyOf(_OB_HTHREAD thread)
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(thread));
}

} // namespace

COB_ProcessContext::COB_ProcessContext() : m_ThreadMap(10, nullptr), m_pThreadHandler(nullptr)
{
    m_bMutexReady = OB_Mutex_Initialize(&m_Mutex);
    m_ThreadMap.InitHashTable(10, false);
}

COB_ProcessContext::~COB_ProcessContext()
{
    if (!m_bMutexReady)
        return;
    FinalizeAll();
    OB_Mutex_Destroy(&m_Mutex);
}

COB_ThreadContext* COB_ProcessContext::GetThreadContext(_OB_HTHREAD thread)
{
    COB_MutexLocker lock(&m_Mutex);
    return static_cast<COB_ThreadContext*>(m_ThreadMap.GetValueAt(KeyOf(thread)));
}

bool COB_ProcessContext::SetThreadContext(_OB_HTHREAD thread, COB_ThreadContext* context)
{
    COB_MutexLocker lock(&m_Mutex);
    m_ThreadMap[KeyOf(thread)] = context;
    return m_ThreadMap.GetValueAt(KeyOf(thread)) == context;
}

void COB_ProcessContext::RemoveThreadContext(_OB_HTHREAD thread)
{
    COB_ThreadContext* context = nullptr;
    {
        COB_MutexLocker lock(&m_Mutex);
        context = static_cast<COB_ThreadContext*>(m_ThreadMap.GetValueAt(KeyOf(thread)));
        m_ThreadMap.RemoveKey(KeyOf(thread));
    }
    delete context;
}

void COB_ProcessContext::FinalizeAll()
{
    COB_MutexLocker lock(&m_Mutex);
    m_PrivateData.ClearAll();
    POSITION position = m_ThreadMap.GetStartPosition();
    while (position) {
        void* thread = nullptr;
        void* context = nullptr;
        m_ThreadMap.GetNextAssoc(position, thread, context);
        delete static_cast<COB_ThreadContext*>(context);
    }
    m_ThreadMap.RemoveAll();
}

void OB_Process_Initialize()
{
    std::lock_guard<std::mutex> life(LifeMutex());
    COB_MemoryMgr* mgr = OBMEM_GetDefaultMgr();
    if (!mgr || mgr->m_pProcessContext)
        return;
    COB_ProcessContext* context = new COB_ProcessContext;
    if (!context)
        return;
    if (!context->IsReady()) {
        delete context;
        return;
    }
    COB_ThreadContext* thread = new COB_ThreadContext;
    if (thread && thread->Initialize() && context->SetThreadContext(OB_Thread_GetHandle(), thread))
        thread = nullptr;
    delete thread;
    mgr->m_pProcessContext = context;
}

void OB_Process_Finalize()
{
    std::lock_guard<std::mutex> life(LifeMutex());
    COB_MemoryMgr* mgr = OBMEM_GetDefaultMgr();
    if (!mgr || !mgr->m_pProcessContext)
        return;
    COB_ProcessContext* context = mgr->m_pProcessContext;
    context->FinalizeAll();
    mgr->m_pProcessContext = nullptr;
    delete context;
}

int OB_Process_GetID()
{
    return static_cast<int>(getpid());
}

COB_ProcessContext* OB_Process_GetContext()
{
    COB_MemoryMgr* mgr = OBMEM_GetDefaultMgr();
    return mgr ? mgr->m_pProcessContext : nullptr;
}

COB_PrivateData* OB_Process_GetPrivateData()
{
    COB_ProcessContext* context = OB_Process_GetContext();
    return context ? &context->m_PrivateData : nullptr;
}

// The process list is shared by every thread, so each access holds the process mutex.
void* OB_Process_GetPrivateData(void* key)
{
    COB_ProcessContext* context = OB_Process_GetContext();
    if (!context)
        return nullptr;
    COB_MutexLocker lock(&context->m_Mutex);
    return context->m_PrivateData.GetPrivateData(key);
}

void OB_Process_SetPrivateData(void* key, void* data, OB_PD_CALLBACK_FREEDATA release)
{
    COB_ProcessContext* context = OB_Process_GetContext();
    if (!context)
        return;
    COB_MutexLocker lock(&context->m_Mutex);
    context->m_PrivateData.SetPrivateData(key, data, release);
}

bool OB_Process_RemovePrivateData(void* key)
{
    COB_ProcessContext* context = OB_Process_GetContext();
    if (!context)
        return false;
    COB_MutexLocker lock(&context->m_Mutex);
    return context->m_PrivateData.RemovePrivateData(key);
}
