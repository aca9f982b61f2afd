#ifndef COB_BASICARRAY_H
#define COB_BASICARRAY_H

#include <cstdint>

struct _IOB_Allocator;

// Untyped growable array of fixed-size plain elements, moved with raw byte operations.
class COB_BasicArray
{
public:
    COB_BasicArray(int unitSize, _IOB_Allocator* allocator);
    COB_BasicArray(const COB_BasicArray& source, _IOB_Allocator* allocator);
    ~COB_BasicArray();

    bool SetSize(int newSize, int growBy);
    bool Copy(const COB_BasicArray& source);
    COB_BasicArray& operator=(const COB_BasicArray& source);
    bool Append(const COB_BasicArray& source);
    void* InsertSpaceAt(int index, int count);
    bool RemoveAt(int index, int count);
    bool InsertAt(int index, const COB_BasicArray* source);
    void* GetDataPtr(int index) const;

    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nMaxSize; }
    int GetGrowBy() const { return m_nGrowBy; }
    int GetUnitSize() const { return m_nUnitSize; }
    void* GetData() const { return m_pData; }
    _IOB_Allocator* GetAllocator() const { return m_pAllocator; }

protected:
    _IOB_Allocator* m_pAllocator;
    uint8_t* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
    int m_nUnitSize;

private:
    void FreeBlock();
};

// Reports an element access outside 0..size-1 ("Invalid index:" and the index on standard error) and aborts.
[[noreturn]] void OB_ReportInvalidIndex(int index);

#endif
