#ifndef COB_BASESEGMENTEDARRAY_H
#define COB_BASESEGMENTEDARRAY_H

#include <cstddef>
#include <cstdint>

struct _IOB_Allocator;

// Array whose elements never move: fixed-size segments reached through a tree of index nodes.
// Limits: unit size >= 1, segment units >= 1, index size >= 2.
class COB_BaseSegmentedArray
{
public:
    typedef bool (*IterateCallback)(void* param, void* element);

    COB_BaseSegmentedArray(int unitSize, int segmentUnits, int indexSize, _IOB_Allocator* allocator);
    ~COB_BaseSegmentedArray();
    COB_BaseSegmentedArray(const COB_BaseSegmentedArray&) = delete;
    COB_BaseSegmentedArray& operator=(const COB_BaseSegmentedArray&) = delete;

    void SetUnitSize(int unitSize, int segmentUnits, int indexSize);
    // Address of the appended element (contents undefined), or null with every element kept.
    void* Add();
    void* GetAt(int index) const;
    void** GetIndex(int segmentNumber) const;
    void Delete(int index, int count);
    void RemoveAll();

    void* Iterate(IterateCallback callback, void* param) const;
    void* IterateSegment(uint8_t* segment, int count, IterateCallback callback, void* param) const;
    void* IterateIndex(int level, int& start, void** node, IterateCallback callback, void* param) const;

    int GetSize() const { return m_DataSize; }
    int GetUnitSize() const { return m_UnitSize; }
    int GetDepth() const { return m_IndexDepth; }
    void* GetRoot() const { return m_pIndex; }

protected:
    _IOB_Allocator* m_pAllocator;
    int m_UnitSize;
    int16_t m_SegmentUnits;
    uint8_t m_IndexSize;
    uint8_t m_IndexDepth;
    int m_DataSize;
    void* m_pIndex;

private:
    void* AllocBlock(size_t size);
    void FreeBlock(void* block);
    void** NewNode();
    void FreeTree(void* node, int level);
};

#endif
