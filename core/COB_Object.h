#ifndef COB_OBJECT_H
#define COB_OBJECT_H

#include <cstddef>

// Base of the library's classes: allocates and frees through the current default memory manager.
class COB_Object
{
public:
    static void* operator new(size_t size);
    static void* operator new[](size_t size);
    static void* operator new(size_t size, const char* file, int line);
    static void* operator new[](size_t size, const char* file, int line);
    static void operator delete(void* block);
    static void operator delete[](void* block);
    static void operator delete(void* block, const char* file, int line);
    static void operator delete[](void* block, const char* file, int line);
};

#endif
