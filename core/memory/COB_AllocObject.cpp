#include "COB_AllocObject.h"

#include "COB_MemoryMgr.h"

#include <cstdlib>

namespace {

void* Store(void* block, _IOB_Allocator* allocator)
{
    if (!block) {
        // The default manager's hook and handler have already seen the failure; an object of
        // the default path cannot be missing, so the process ends.
        if (!allocator)
            std::abort();
        return nullptr;
    }
    *static_cast<_IOB_Allocator**>(block) = allocator;
    return block;
}

} // namespace

void* COB_AllocObject::operator new(size_t size, _IOB_Allocator* allocator) noexcept
{
    if (allocator)
        return Store(allocator->Alloc(allocator, size), allocator);
    return Store(OBMEM_DefaultAlloc(size, 0), nullptr);
}

void* COB_AllocObject::operator new(size_t size, _IOB_Allocator* allocator, const char* file, int line) noexcept
{
    if (allocator)
        return Store(allocator->AllocDebug(allocator, size, file, line), allocator);
    return Store(OBMEM_DefaultAllocDebug(size, 0, file, line), nullptr);
}

void COB_AllocObject::operator delete(void* block)
{
    if (!block)
        return;
    _IOB_Allocator* allocator = *static_cast<_IOB_Allocator**>(block);
    OBMEM_AllocatorFree(allocator, block);
}

void COB_AllocObject::operator delete(void* block, _IOB_Allocator* allocator)
{
    OBMEM_AllocatorFree(allocator, block);
}

void COB_AllocObject::operator delete(void* block, _IOB_Allocator* allocator, const char*, int)
{
    OBMEM_AllocatorFree(allocator, block);
}

_IOB_Allocator* COB_AllocObject::GetAllocator() const
{
    return m_pAllocator;
}
