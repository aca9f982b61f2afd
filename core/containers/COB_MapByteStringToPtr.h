#ifndef COB_MAPBYTESTRINGTOPTR_H
#define COB_MAPBYTESTRINGTOPTR_H

#include "COB_ByteString.h"
#include "COB_HashMapBase.h"

// Chained hash map from byte string (an owned copy of the key) to pointer. Entries come from
// pooled blocks; values are never freed by the map. Not synchronised.
class COB_MapByteStringToPtr : public COB_HashMapBase
{
public:
    struct CAssoc
    {
        CAssoc* pNext;
        uint32_t nHashValue; // the bucket the entry is in
        COB_ByteString key;
        void* value;
    };

    explicit COB_MapByteStringToPtr(int blockSize = 10, _IOB_Allocator* allocator = nullptr);
    ~COB_MapByteStringToPtr();

    bool Lookup(const COB_ByteStringC& key, void*& value) const;
    // The key's value slot; a missing key is inserted with a null value first. When no entry can
    // be made the slot is a scratch one that stores nothing.
    void*& operator[](const COB_ByteStringC& key);
    bool RemoveKey(const COB_ByteStringC& key);
    void RemoveAll();

    void GetNextAssoc(POSITION& position, COB_ByteString& key, void*& value) const;
    CAssoc* GetCurrentAssoc(POSITION& position) const;
    void* GetNextValue(POSITION& position) const;
    CAssoc* GetAssocAt(const COB_ByteStringC& key, uint32_t& bucket) const;

    void InitHashTable(uint32_t size, bool allocateNow = true);
    bool ExpendHashTable();
    uint32_t HashKey(const COB_ByteStringC& key) const;

private:
    void ReleaseKeys();
};

#endif
