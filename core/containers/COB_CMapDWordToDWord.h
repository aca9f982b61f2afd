#ifndef COB_CMAPDWORDTODWORD_H
#define COB_CMAPDWORDTODWORD_H

#include <cstdint>

#include "COB_BinaryBuf.h"
#include "OB_Position.h"

// Sorted array of 32-bit key/value pairs (keys ascending as unsigned numbers, no duplicates),
// found by binary search. Not synchronised.
class COB_CMapDWordToDWord
{
public:
    explicit COB_CMapDWordToDWord(_IOB_Allocator* allocator = nullptr) : m_Buffer(allocator) {}

    bool Lookup(uint32_t key, uint32_t& value) const;
    void SetAt(uint32_t key, uint32_t value);
    POSITION GetStartPosition() const { return GetCount() > 0 ? reinterpret_cast<POSITION>(1) : nullptr; }
    void GetNextAssoc(POSITION& position, uint32_t& key, uint32_t& value) const;
    bool EstimateSize(uint32_t size, uint32_t growBy);
    int GetCount() const { return m_Buffer.GetSize() / 8; }

private:
    const uint32_t* Pairs() const { return reinterpret_cast<const uint32_t*>(m_Buffer.GetBuffer()); }

    COB_BinaryBuf m_Buffer;
};

#endif
