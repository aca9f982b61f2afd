#include "COBMEM_PyMgr.h"

#include <new>

namespace {

COBMEM_PyMgr* PyMgrOf(_OBMEM_SystemMgr* table)
{
    return static_cast<COBMEM_PyMgr*>(table->user);
}

void* PyAlloc(_OBMEM_SystemMgr* table, size_t size, uint32_t)
{
    COBMEM_PyMgr* mgr = PyMgrOf(table);
    return OBMEM_PyState_MallocSerialised(&mgr->m_State, &mgr->m_Mutex, size);
}

void* PyAllocDebug(_OBMEM_SystemMgr* table, size_t size, uint32_t flags, const char*, int)
{
    return PyAlloc(table, size, flags);
}

void* PyRealloc(_OBMEM_SystemMgr* table, void* block, size_t size, uint32_t)
{
    COBMEM_PyMgr* mgr = PyMgrOf(table);
    return OBMEM_PyState_ReallocSerialised(&mgr->m_State, &mgr->m_Mutex, block, size);
}

void* PyReallocDebug(_OBMEM_SystemMgr* table, void* block, size_t size, uint32_t flags, const char*, int)
{
    return PyRealloc(table, block, size, flags);
}

void PyFree(_OBMEM_SystemMgr* table, void* block, uint32_t)
{
    COBMEM_PyMgr* mgr = PyMgrOf(table);
    OBMEM_PyState_FreeSerialised(&mgr->m_State, &mgr->m_Mutex, block);
}

// The fallbacks go to the platform manager, whatever manager is the default at the time.
void* FallbackAlloc(size_t size)
{
    return OBMEM_GetPlatformMgr()->Alloc(size, 0);
}

void FallbackFree(void* block)
{
    OBMEM_GetPlatformMgr()->Free(block, 0);
}

void* FallbackRealloc(void* block, size_t size)
{
    return OBMEM_GetPlatformMgr()->Realloc(block, size, 0);
}

alignas(COBMEM_PyMgr) unsigned char g_PyMgrStorage[sizeof(COBMEM_PyMgr)];
COBMEM_PyMgr* g_pPyMgr = nullptr;
COB_MemoryMgr g_PyMemoryMgr;

} // namespace

COBMEM_PyMgr::COBMEM_PyMgr()
{
    m_State = OBMEM_PyState();
    OB_Mutex_Initialize(&m_Mutex);
    Init();
}

COBMEM_PyMgr::~COBMEM_PyMgr()
{
    OB_Mutex_Destroy(&m_Mutex);
}

void COBMEM_PyMgr::Init()
{
    m_SystemMgr = {PyAlloc, PyAllocDebug, PyRealloc, PyReallocDebug, nullptr, nullptr, PyFree, nullptr, nullptr, this};
    OBMEM_PyState_Init(&m_State, FallbackAlloc, FallbackFree, FallbackRealloc);
}

void COBMEM_PyMgr::Discard()
{
    COB_MutexLocker lock(&m_Mutex);
    _PyObject_Discard(&m_State);
}

void COBMEM_PyMgr::TryPurge()
{
    COB_MutexLocker lock(&m_Mutex);
    _PyObject_TryPurge(&m_State);
}

int32_t COBMEM_PyMgr::GetMode()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_State.mode;
}

size_t COBMEM_PyMgr::GetArenaCount()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_State.narenas_currently_allocated;
}

uint32_t COBMEM_PyMgr::GetArenaSlots()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_State.maxarenas;
}

void COBMEM_PyMgr::GetArenaPools(uint32_t index, uint32_t* freePools, uint32_t* totalPools)
{
    COB_MutexLocker lock(&m_Mutex);
    bool used = index < m_State.maxarenas && m_State.arenas[index].address != 0;
    *freePools = used ? m_State.arenas[index].nfreepools : 0;
    *totalPools = used ? m_State.arenas[index].ntotalpools : 0;
}

bool COBMEM_PyMgr::IsPooled(const void* block)
{
    COB_MutexLocker lock(&m_Mutex);
    return OBMEM_PyState_IsPooled(&m_State, block);
}

COB_MemoryMgr* OBMEM_CreatePyMgr()
{
    if (!g_pPyMgr) {
        g_pPyMgr = ::new (g_PyMgrStorage) COBMEM_PyMgr;
    } else {
        COB_MutexLocker lock(&g_pPyMgr->m_Mutex);
        g_pPyMgr->Init();
    }
    g_PyMemoryMgr.Init(&g_pPyMgr->m_SystemMgr, COB_MemoryMgr::kPooled);
    return &g_PyMemoryMgr;
}

int OBMEM_SetPyConfig()
{
    return 0;
}
