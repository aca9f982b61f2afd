#ifndef COBMEM_PYMGR_H
#define COBMEM_PYMGR_H

#include "COB_MemoryMgr.h"
#include "OB_Lock.h"
#include "OB_PyObjectAlloc.h"

// The pooled small-block manager's system table: blocks up to 1024 bytes come from pools, everything else
// from the platform manager (its hooks and out-of-memory handler included). Each call holds the object's
// recursive mutex. Its pool lists are process-wide: one pooled manager per process.
class COBMEM_PyMgr
{
public:
    COBMEM_PyMgr();
    ~COBMEM_PyMgr();

    // Retires the pools: nothing new is pooled; once no pooled block is alive the memory is released.
    void Discard();
    // Releases the pools' memory after Discard once no pooled block is alive any more.
    void TryPurge();

    int32_t GetMode();
    size_t GetArenaCount();
    uint32_t GetArenaSlots();
    // Free and total pools of the arena slot index (0, 0 for a slot without memory).
    void GetArenaPools(uint32_t index, uint32_t* freePools, uint32_t* totalPools);
    bool IsPooled(const void* block);

    _OBMEM_SystemMgr m_SystemMgr; // first: the table's user pointer leads back here
    OBMEM_PyState m_State;
    OB_MUTEX m_Mutex;

    friend COB_MemoryMgr* OBMEM_CreatePyMgr();

private:
    void Init();
};

// The pooled manager (type 1) over the process's one COBMEM_PyMgr, freshly initialised. To be called once:
// a second call forgets every pool of the first.
COB_MemoryMgr* OBMEM_CreatePyMgr();
int OBMEM_SetPyConfig();

#endif
