#ifndef COB_MEMORYMGR_H
#define COB_MEMORYMGR_H

#include <cstddef>
#include <cstdint>

// Allocation interface taken by containers, strings, streams and the XML model.
// A null _IOB_Allocator* argument anywhere in the library means the default manager's allocator.
struct _IOB_Allocator
{
    void* (*AllocDebug)(_IOB_Allocator* allocator, size_t size, const char* file, int line);
    void* (*Alloc)(_IOB_Allocator* allocator, size_t size);
    void* (*ReallocDebug)(_IOB_Allocator* allocator, void* block, size_t size, const char* file, int line);
    void* (*Realloc)(_IOB_Allocator* allocator, void* block, size_t size);
    void (*Free)(_IOB_Allocator* allocator, void* block);
};

// Flags bit: a failed allocation may return null without calling the out-of-memory handler.
enum : uint32_t { OBMEM_MAYFAIL = 1 };

// Table of system callbacks a manager sits on; each callback receives the table first.
struct _OBMEM_SystemMgr
{
    void* (*Alloc)(_OBMEM_SystemMgr* table, size_t size, uint32_t flags);
    void* (*AllocDebug)(_OBMEM_SystemMgr* table, size_t size, uint32_t flags, const char* file, int line);
    void* (*Realloc)(_OBMEM_SystemMgr* table, void* block, size_t size, uint32_t flags);
    void* (*ReallocDebug)(_OBMEM_SystemMgr* table, void* block, size_t size, uint32_t flags, const char* file,
                          int line);
    void* reserved1; // never called by the library
    void* reserved2; // never called by the library
    void (*Free)(_OBMEM_SystemMgr* table, void* block, uint32_t flags);
    void (*Purge)(_OBMEM_SystemMgr* table);      // optional
    void (*CollectAll)(_OBMEM_SystemMgr* table); // optional
    void* user;
};

class COB_MemoryMgr;
class COB_ProcessContext;

// Optional observer of every allocation of a manager.
struct _OBMEM_DebuggerHooks
{
    void (*OnAlloc)(COB_MemoryMgr* mgr, void* block, size_t size, uint32_t flags);
    void (*OnAllocDebug)(COB_MemoryMgr* mgr, void* block, size_t size, uint32_t flags, const char* file, int line);
    void (*OnRealloc)(COB_MemoryMgr* mgr, void* oldBlock, void* newBlock, size_t size, uint32_t flags);
    void (*OnReallocDebug)(COB_MemoryMgr* mgr, void* oldBlock, void* newBlock, size_t size, uint32_t flags,
                           const char* file, int line);
    void (*OnFree)(COB_MemoryMgr* mgr, void* block, uint32_t flags);
    void (*OnTag)(COB_MemoryMgr* mgr, const char* tag, void* data);
};

typedef void (*OBMEM_OOMHandler)(COB_MemoryMgr* mgr, void* param);

// The allocator embedded in a manager: the table followed by a pointer back to the manager.
struct _OBMEM_MgrAllocator
{
    _IOB_Allocator table;
    COB_MemoryMgr* mgr;
};

class COB_MemoryMgr
{
public:
    enum Type : uint32_t { kDefault = 0, kPooled = 1, kCreated = 2 };

    void Init(_OBMEM_SystemMgr* systemMgr, uint32_t type);

    void* Alloc(size_t size, uint32_t flags);
    void* AllocDebug(size_t size, uint32_t flags, const char* file, int line);
    void* Realloc(void* block, size_t size, uint32_t flags);
    void* ReallocDebug(void* block, size_t size, uint32_t flags, const char* file, int line);
    void Free(void* block, uint32_t flags);
    void ReportOOM();
    void PurgeMgr();
    void CollectAll();

    _IOB_Allocator* GetAllocator() { return &m_Allocator.table; }

    uint32_t m_Type;
    _OBMEM_SystemMgr* m_pSystemMgr;
    _OBMEM_DebuggerHooks* m_pDebugger;
    OBMEM_OOMHandler m_OOMHandler;
    void* m_OOMParam;
    _OBMEM_MgrAllocator m_Allocator;
    COB_ProcessContext* m_pProcessContext;
    bool m_bRelease;
};

// The process-wide default manager.
extern COB_MemoryMgr* g_pDefOrbelMgr;

// Manager functions.
COB_MemoryMgr* OBMEM_CreateOrbelMgr(_OBMEM_SystemMgr* systemMgr);
void OBMEM_DestroyOrbelMgr(COB_MemoryMgr* mgr);
void* OBMEM_Alloc(COB_MemoryMgr* mgr, size_t size, uint32_t flags);
void* OBMEM_AllocDebug(COB_MemoryMgr* mgr, size_t size, uint32_t flags, const char* file, int line);
void* OBMEM_Realloc(COB_MemoryMgr* mgr, void* block, size_t size, uint32_t flags);
void* OBMEM_ReallocDebug(COB_MemoryMgr* mgr, void* block, size_t size, uint32_t flags, const char* file, int line);
void OBMEM_Free(COB_MemoryMgr* mgr, void* block, uint32_t flags);
void OBMEM_ReportOOM(COB_MemoryMgr* mgr);
void OBMEM_SetOOMHandler(COB_MemoryMgr* mgr, OBMEM_OOMHandler handler, void* param);
void OBMEM_UseDebugger(COB_MemoryMgr* mgr, _OBMEM_DebuggerHooks* hooks);
void OBMEM_OutputDebugTag(COB_MemoryMgr* mgr, const char* tag, void* data);
void OBMEM_PurgeMgr(COB_MemoryMgr* mgr);
void OBMEM_CollectAll(COB_MemoryMgr* mgr);

// Default-manager functions (each reads g_pDefOrbelMgr when called).
void OBMEM_SetDefaultMgr(COB_MemoryMgr* mgr);
COB_MemoryMgr* OBMEM_GetDefaultMgr();
COB_MemoryMgr* OBMEM_ResetSystemMgr();
// The static manager over the platform's malloc, whatever manager is the default.
COB_MemoryMgr* OBMEM_GetPlatformMgr();
_IOB_Allocator* OBMEM_GetDefAllocator();

void* OBMEM_DefaultAlloc(size_t size, uint32_t flags);
void* OBMEM_DefaultAllocDebug(size_t size, uint32_t flags, const char* file, int line);
void* OBMEM_DefaultRealloc(void* block, size_t size, uint32_t flags);
void* OBMEM_DefaultReallocDebug(void* block, size_t size, uint32_t flags, const char* file, int line);
// Size = count x unit; null for a zero count or unit; refused above 0x7fffffff bytes.
void* OBMEM_DefaultAlloc2(size_t count, size_t unit, uint32_t flags);
void* OBMEM_DefaultAllocDebug2(size_t count, size_t unit, uint32_t flags, const char* file, int line);
void* OBMEM_DefaultRealloc2(void* block, size_t count, size_t unit, uint32_t flags);
void* OBMEM_DefaultReallocDebug2(void* block, size_t count, size_t unit, uint32_t flags, const char* file, int line);
void OBMEM_DefaultFree(void* block, uint32_t flags);

// Allocation through an optional allocator: a null allocator means the default manager.
void* OBMEM_AllocatorAlloc(_IOB_Allocator* allocator, size_t size);
void* OBMEM_AllocatorRealloc(_IOB_Allocator* allocator, void* block, size_t size);
void OBMEM_AllocatorFree(_IOB_Allocator* allocator, void* block);

#define OB_DefAlloc(size) OBMEM_DefaultAlloc((size), 0)
#define OB_DefAlloc2(count, unit) OBMEM_DefaultAlloc2((count), (unit), 0)
#define OB_DefRealloc(block, size) OBMEM_DefaultRealloc((block), (size), 0)
#define OB_DefRealloc2(block, count, unit) OBMEM_DefaultRealloc2((block), (count), (unit), 0)
#define OB_DefFree(block) OBMEM_DefaultFree((block), 0)

#endif
