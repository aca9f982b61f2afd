#include "COB_MemoryMgr.h"

#include "COBMEM_PyMgr.h"

#include <cstdlib>

namespace {

void* PlatformAlloc(_OBMEM_SystemMgr*, size_t size, uint32_t)
{
    return std::malloc(size);
}

void* PlatformAllocDebug(_OBMEM_SystemMgr*, size_t size, uint32_t, const char*, int)
{
    return std::malloc(size);
}

// glibc's realloc to 0 bytes frees the block and returns null, which every caller would take for a
// failure that left the block alive: a zero size is served as one byte, so a block always comes back.
inline void* PlatformResize(void* block, size_t size)
{
    return std::realloc(block, size ? size : 1);
}

void* PlatformRealloc(_OBMEM_SystemMgr*, void* block, size_t size, uint32_t)
{
    return PlatformResize(block, size);
}

void* PlatformReallocDebug(_OBMEM_SystemMgr*, void* block, size_t size, uint32_t, const char*, int)
{
    return PlatformResize(block, size);
}

void PlatformFree(_OBMEM_SystemMgr*, void* block, uint32_t)
{
    std::free(block);
}

inline void* SystemAlloc(_OBMEM_SystemMgr* table, size_t size, uint32_t flags)
{
    return table->Alloc == PlatformAlloc ? std::malloc(size) : table->Alloc(table, size, flags);
}

__attribute__((noinline)) void* AllocTellingHookAndHandler(COB_MemoryMgr* mgr, size_t size, uint32_t flags)
{
    void* block = SystemAlloc(mgr->m_pSystemMgr, size, flags);
    if (mgr->m_pDebugger && mgr->m_pDebugger->OnAlloc)
        mgr->m_pDebugger->OnAlloc(mgr, block, size, flags);
    if (!block && !(flags & OBMEM_MAYFAIL))
        mgr->ReportOOM();
    return block;
}

// The platform slot is called directly: the same free without the indirect call.
inline void SystemFree(_OBMEM_SystemMgr* table, void* block, uint32_t flags)
{
    if (table->Free == PlatformFree)
        std::free(block);
    else
        table->Free(table, block, flags);
}

// Kept out of line, so that a free with no hook to tell ends in the system slot without a frame.
__attribute__((noinline)) void FreeTellingTheHook(COB_MemoryMgr* mgr, void* block, uint32_t flags)
{
    if (mgr->m_pDebugger->OnFree)
        mgr->m_pDebugger->OnFree(mgr, block, flags);
    SystemFree(mgr->m_pSystemMgr, block, flags);
}

_OBMEM_SystemMgr g_PlatformTable = {PlatformAlloc, PlatformAllocDebug, PlatformRealloc, PlatformReallocDebug,
                                    nullptr, nullptr, PlatformFree, nullptr, nullptr, nullptr};

COB_MemoryMgr* MgrOf(_IOB_Allocator* allocator)
{
    return reinterpret_cast<_OBMEM_MgrAllocator*>(allocator)->mgr;
}

void* MgrAllocatorAllocDebug(_IOB_Allocator* allocator, size_t size, const char* file, int line)
{
    return MgrOf(allocator)->AllocDebug(size, 0, file, line);
}

void* MgrAllocatorAlloc(_IOB_Allocator* allocator, size_t size)
{
    return MgrOf(allocator)->Alloc(size, 0);
}

void* MgrAllocatorReallocDebug(_IOB_Allocator* allocator, void* block, size_t size, const char* file, int line)
{
    return MgrOf(allocator)->ReallocDebug(block, size, 0, file, line);
}

void* MgrAllocatorRealloc(_IOB_Allocator* allocator, void* block, size_t size)
{
    return MgrOf(allocator)->Realloc(block, size, 0);
}

void MgrAllocatorFree(_IOB_Allocator* allocator, void* block)
{
    MgrOf(allocator)->Free(block, 0);
}

// Constant-initialised so that allocations made by other static initialisers already find it.
COB_MemoryMgr g_DefaultMgr = {COB_MemoryMgr::kDefault,
                              &g_PlatformTable,
                              nullptr,
                              nullptr,
                              nullptr,
                              {{MgrAllocatorAllocDebug, MgrAllocatorAlloc, MgrAllocatorReallocDebug,
                                MgrAllocatorRealloc, MgrAllocatorFree},
                               &g_DefaultMgr},
                              nullptr,
                              false};

// Applies the limit of the count x unit forms; false when the request must not reach the system.
bool SizeOf2(COB_MemoryMgr* mgr, size_t count, size_t unit, uint32_t flags, size_t* size)
{
    if (count == 0 || unit == 0)
        return false;
    if (count > 0x7fffffffu / unit) {
        if (!(flags & OBMEM_MAYFAIL))
            mgr->ReportOOM();
        return false;
    }
    *size = count * unit;
    return true;
}

} // namespace

COB_MemoryMgr* g_pDefOrbelMgr = &g_DefaultMgr;

void COB_MemoryMgr::Init(_OBMEM_SystemMgr* systemMgr, uint32_t type)
{
    m_Type = type;
    m_pSystemMgr = systemMgr;
    m_pDebugger = nullptr;
    m_OOMHandler = nullptr;
    m_OOMParam = nullptr;
    m_Allocator.table.AllocDebug = MgrAllocatorAllocDebug;
    m_Allocator.table.Alloc = MgrAllocatorAlloc;
    m_Allocator.table.ReallocDebug = MgrAllocatorReallocDebug;
    m_Allocator.table.Realloc = MgrAllocatorRealloc;
    m_Allocator.table.Free = MgrAllocatorFree;
    m_Allocator.mgr = this;
    m_pProcessContext = nullptr;
    m_bRelease = true;
}

void* COB_MemoryMgr::Alloc(size_t size, uint32_t flags)
{
    // With no hook and no handler to tell, the slot's answer is the result as it stands and the call ends
    // in the slot; the platform slot is called directly (the same malloc without the indirect call).
    if (m_pDebugger || m_OOMHandler)
        return AllocTellingHookAndHandler(this, size, flags);
    return SystemAlloc(m_pSystemMgr, size, flags);
}

void* COB_MemoryMgr::AllocDebug(size_t size, uint32_t flags, const char* file, int line)
{
    void* block = m_pSystemMgr->AllocDebug(m_pSystemMgr, size, flags, file, line);
    if (m_pDebugger && m_pDebugger->OnAllocDebug)
        m_pDebugger->OnAllocDebug(this, block, size, flags, file, line);
    if (!block && !(flags & OBMEM_MAYFAIL))
        ReportOOM();
    return block;
}

void* COB_MemoryMgr::Realloc(void* block, size_t size, uint32_t flags)
{
    void* result = m_pSystemMgr->Realloc == PlatformRealloc ? PlatformResize(block, size)
                                                    : m_pSystemMgr->Realloc(m_pSystemMgr, block, size, flags);
    if (m_pDebugger && m_pDebugger->OnRealloc)
        m_pDebugger->OnRealloc(this, block, result, size, flags);
    if (!result && !(flags & OBMEM_MAYFAIL))
        ReportOOM();
    return result;
}

void* COB_MemoryMgr::ReallocDebug(void* block, size_t size, uint32_t flags, const char* file, int line)
{
    void* result = m_pSystemMgr->ReallocDebug(m_pSystemMgr, block, size, flags, file, line);
    if (m_pDebugger && m_pDebugger->OnReallocDebug)
        m_pDebugger->OnReallocDebug(this, block, result, size, flags, file, line);
    if (!result && !(flags & OBMEM_MAYFAIL))
        ReportOOM();
    return result;
}

void COB_MemoryMgr::Free(void* block, uint32_t flags)
{
    if (!block)
        return;
    if (m_pDebugger)
        FreeTellingTheHook(this, block, flags);
    else
        SystemFree(m_pSystemMgr, block, flags);
}

void COB_MemoryMgr::ReportOOM()
{
    if (m_OOMHandler)
        m_OOMHandler(this, m_OOMParam);
}

void COB_MemoryMgr::PurgeMgr()
{
    if (m_pSystemMgr->Purge)
        m_pSystemMgr->Purge(m_pSystemMgr);
}

void COB_MemoryMgr::CollectAll()
{
    if (m_pSystemMgr->CollectAll)
        m_pSystemMgr->CollectAll(m_pSystemMgr);
}

COB_MemoryMgr* OBMEM_CreateOrbelMgr(_OBMEM_SystemMgr* systemMgr)
{
    if (!systemMgr)
        return nullptr;
    void* block = systemMgr->Alloc(systemMgr, sizeof(COB_MemoryMgr), 0);
    if (!block)
        return nullptr;
    COB_MemoryMgr* mgr = static_cast<COB_MemoryMgr*>(block);
    mgr->Init(systemMgr, COB_MemoryMgr::kCreated);
    return mgr;
}

void OBMEM_DestroyOrbelMgr(COB_MemoryMgr* mgr)
{
    if (!mgr)
        return;
    mgr->CollectAll();
    if (mgr->m_Type == COB_MemoryMgr::kPooled)
        static_cast<COBMEM_PyMgr*>(mgr->m_pSystemMgr->user)->Discard();
    else if (mgr->m_bRelease)
        mgr->m_pSystemMgr->Free(mgr->m_pSystemMgr, mgr, 0);
}

void* OBMEM_Alloc(COB_MemoryMgr* mgr, size_t size, uint32_t flags)
{
    return mgr->Alloc(size, flags);
}

void* OBMEM_AllocDebug(COB_MemoryMgr* mgr, size_t size, uint32_t flags, const char* file, int line)
{
    return mgr->AllocDebug(size, flags, file, line);
}

void* OBMEM_Realloc(COB_MemoryMgr* mgr, void* block, size_t size, uint32_t flags)
{
    return mgr->Realloc(block, size, flags);
}

void* OBMEM_ReallocDebug(COB_MemoryMgr* mgr, void* block, size_t size, uint32_t flags, const char* file, int line)
{
    return mgr->ReallocDebug(block, size, flags, file, line);
}

void OBMEM_Free(COB_MemoryMgr* mgr, void* block, uint32_t flags)
{
    mgr->Free(block, flags);
}

void OBMEM_ReportOOM(COB_MemoryMgr* mgr)
{
    mgr->ReportOOM();
}

void OBMEM_SetOOMHandler(COB_MemoryMgr* mgr, OBMEM_OOMHandler handler, void* param)
{
    mgr->m_OOMHandler = handler;
    mgr->m_OOMParam = param;
}

void OBMEM_UseDebugger(COB_MemoryMgr* mgr, _OBMEM_DebuggerHooks* hooks)
{
    mgr->m_pDebugger = hooks;
}

void OBMEM_OutputDebugTag(COB_MemoryMgr* mgr, const char* tag, void* data)
{
    if (mgr->m_pDebugger && mgr->m_pDebugger->OnTag)
        mgr->m_pDebugger->OnTag(mgr, tag, data);
}

void OBMEM_PurgeMgr(COB_MemoryMgr* mgr)
{
    mgr->PurgeMgr();
}

void OBMEM_CollectAll(COB_MemoryMgr* mgr)
{
    mgr->CollectAll();
}

void OBMEM_SetDefaultMgr(COB_MemoryMgr* mgr)
{
    g_pDefOrbelMgr = mgr;
}

COB_MemoryMgr* OBMEM_GetDefaultMgr()
{
    return g_pDefOrbelMgr;
}

COB_MemoryMgr* OBMEM_GetPlatformMgr()
{
    return &g_DefaultMgr;
}

COB_MemoryMgr* OBMEM_ResetSystemMgr()
{
    g_pDefOrbelMgr = &g_DefaultMgr;
    return g_pDefOrbelMgr;
}

_IOB_Allocator* OBMEM_GetDefAllocator()
{
    return g_pDefOrbelMgr->GetAllocator();
}

void* OBMEM_DefaultAlloc(size_t size, uint32_t flags)
{
    return g_pDefOrbelMgr->Alloc(size, flags);
}

void* OBMEM_DefaultAllocDebug(size_t size, uint32_t flags, const char* file, int line)
{
    return g_pDefOrbelMgr->AllocDebug(size, flags, file, line);
}

void* OBMEM_DefaultRealloc(void* block, size_t size, uint32_t flags)
{
    if (!block)
        return g_pDefOrbelMgr->Alloc(size, flags);
    return g_pDefOrbelMgr->Realloc(block, size, flags);
}

void* OBMEM_DefaultReallocDebug(void* block, size_t size, uint32_t flags, const char* file, int line)
{
    if (!block)
        return g_pDefOrbelMgr->AllocDebug(size, flags, file, line);
    return g_pDefOrbelMgr->ReallocDebug(block, size, flags, file, line);
}

void* OBMEM_DefaultAlloc2(size_t count, size_t unit, uint32_t flags)
{
    size_t size = 0;
    if (!SizeOf2(g_pDefOrbelMgr, count, unit, flags, &size))
        return nullptr;
    return g_pDefOrbelMgr->Alloc(size, flags);
}

void* OBMEM_DefaultAllocDebug2(size_t count, size_t unit, uint32_t flags, const char* file, int line)
{
    size_t size = 0;
    if (!SizeOf2(g_pDefOrbelMgr, count, unit, flags, &size))
        return nullptr;
    return g_pDefOrbelMgr->AllocDebug(size, flags, file, line);
}

void* OBMEM_DefaultRealloc2(void* block, size_t count, size_t unit, uint32_t flags)
{
    size_t size = 0;
    if (!SizeOf2(g_pDefOrbelMgr, count, unit, flags, &size))
        return nullptr;
    return OBMEM_DefaultRealloc(block, size, flags);
}

void* OBMEM_DefaultReallocDebug2(void* block, size_t count, size_t unit, uint32_t flags, const char* file, int line)
{
    size_t size = 0;
    if (!SizeOf2(g_pDefOrbelMgr, count, unit, flags, &size))
        return nullptr;
    return OBMEM_DefaultReallocDebug(block, size, flags, file, line);
}

void OBMEM_DefaultFree(void* block, uint32_t flags)
{
    g_pDefOrbelMgr->Free(block, flags);
}

void* OBMEM_AllocatorAlloc(_IOB_Allocator* allocator, size_t size)
{
    if (allocator)
        return allocator->Alloc(allocator, size);
    return OBMEM_DefaultAlloc2(size, 1, 0);
}

void* OBMEM_AllocatorRealloc(_IOB_Allocator* allocator, void* block, size_t size)
{
    if (allocator)
        return allocator->Realloc(allocator, block, size);
    return OBMEM_DefaultRealloc2(block, size, 1, 0);
}

void OBMEM_AllocatorFree(_IOB_Allocator* allocator, void* block)
{
    if (allocator)
        allocator->Free(allocator, block);
    else
        OBMEM_DefaultFree(block, 0);
}
