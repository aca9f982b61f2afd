#include "COB_BaseSegmentedArray.h"

#include "COB_MemoryMgr.h"

COB_BaseSegmentedArray::COB_BaseSegmentedArray(int unitSize, int segmentUnits, int indexSize, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_UnitSize(unitSize), m_SegmentUnits(static_cast<int16_t>(segmentUnits)),
      m_IndexSize(static_cast<uint8_t>(indexSize)), m_IndexDepth(0), m_DataSize(0), m_pIndex(nullptr)
{
}

COB_BaseSegmentedArray::~COB_BaseSegmentedArray()
{
    RemoveAll();
}

void COB_BaseSegmentedArray::SetUnitSize(int unitSize, int segmentUnits, int indexSize)
{
    m_UnitSize = unitSize;
    m_SegmentUnits = static_cast<int16_t>(segmentUnits);
    m_IndexSize = static_cast<uint8_t>(indexSize);
}

void* COB_BaseSegmentedArray::Add() { return nullptr; }
void* COB_BaseSegmentedArray::GetAt(int) const { return nullptr; }
void** COB_BaseSegmentedArray::GetIndex(int) const { return nullptr; }
void COB_BaseSegmentedArray::Delete(int, int) {}
void COB_BaseSegmentedArray::RemoveAll() {}
void* COB_BaseSegmentedArray::Iterate(IterateCallback, void*) const { return nullptr; }
void* COB_BaseSegmentedArray::IterateSegment(uint8_t*, int, IterateCallback, void*) const { return nullptr; }
void* COB_BaseSegmentedArray::IterateIndex(int, int&, void**, IterateCallback, void*) const { return nullptr; }
void* COB_BaseSegmentedArray::AllocBlock(size_t size) { return OBMEM_AllocatorAlloc(m_pAllocator, size); }
void COB_BaseSegmentedArray::FreeBlock(void* block) { OBMEM_AllocatorFree(m_pAllocator, block); }
void** COB_BaseSegmentedArray::NewNode() { return nullptr; }
void COB_BaseSegmentedArray::FreeTree(void*, int) {}
