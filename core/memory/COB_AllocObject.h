#ifndef COB_ALLOCOBJECT_H
#define COB_ALLOCOBJECT_H

#include <cstddef>

struct _IOB_Allocator;

// Base of objects that remember the allocator that made them (null = the default manager).
// Create with: new (allocator) T(...); destroy with delete. The allocator is kept at the start of the
// block, so this must be the first base of a class without virtual functions.
class COB_AllocObject
{
public:
    // noexcept so that a null block from an allocator yields a null object instead of a constructor
    // running on null; without an allocator a failure ends the process.
    static void* operator new(size_t size, _IOB_Allocator* allocator) noexcept;
    static void* operator new(size_t size, _IOB_Allocator* allocator, const char* file, int line) noexcept;
    static void operator delete(void* block);
    static void operator delete(void* block, _IOB_Allocator* allocator);
    static void operator delete(void* block, _IOB_Allocator* allocator, const char* file, int line);

    // Read out of line: the field is written before construction begins.
    _IOB_Allocator* GetAllocator() const;

protected:
    // Written by operator new before the constructor runs; the constructor must not touch it.
    _IOB_Allocator* m_pAllocator;

    COB_AllocObject() {}
    ~COB_AllocObject() {}
};

#endif
