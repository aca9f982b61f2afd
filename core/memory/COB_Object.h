#ifndef COB_OBJECT_H
#define COB_OBJECT_H

#include <cstddef>

// Base of the library's classes: allocates and frees through the current default memory manager.
// The allocation forms are noexcept: a failed allocation makes the new-expression yield null.
class COB_Object
{
public:
    static void* operator new(size_t size) noexcept;
    static void* operator new[](size_t size) noexcept;
    static void* operator new(size_t size, const char* file, int line) noexcept;
    static void* operator new[](size_t size, const char* file, int line) noexcept;
    static void operator delete(void* block);
    static void operator delete[](void* block);
    static void operator delete(void* block, const char* file, int line);
    static void operator delete[](void* block, const char* file, int line);
};

#endif
