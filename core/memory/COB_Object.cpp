#include "COB_Object.h"

#include "COB_MemoryMgr.h"

void* COB_Object::operator new(size_t size) noexcept
{
    return OBMEM_DefaultAlloc(size, 0);
}

void* COB_Object::operator new[](size_t size) noexcept
{
    return OBMEM_DefaultAlloc(size, 0);
}

void* COB_Object::operator new(size_t size, const char* file, int line) noexcept
{
    return OBMEM_DefaultAllocDebug(size, 0, file, line);
}

void* COB_Object::operator new[](size_t size, const char* file, int line) noexcept
{
    return OBMEM_DefaultAllocDebug(size, 0, file, line);
}

void COB_Object::operator delete(void* block)
{
    OBMEM_DefaultFree(block, 0);
}

void COB_Object::operator delete[](void* block)
{
    OBMEM_DefaultFree(block, 0);
}

void COB_Object::operator delete(void* block, const char*, int)
{
    OBMEM_DefaultFree(block, 0);
}

void COB_Object::operator delete[](void* block, const char*, int)
{
    OBMEM_DefaultFree(block, 0);
}
