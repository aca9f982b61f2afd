#ifndef COB_MAPPTRTOPTR_H
#define COB_MAPPTRTOPTR_H

#include "COB_HashMapBase.h"

// Chained hash map from pointer to pointer. Entries come from pooled blocks; values are never
// freed by the map. Not synchronised.
class COB_MapPtrToPtr : public COB_HashMapBase
{
public:
    struct CAssoc
    {
        CAssoc* pNext;
        void* key;
        void* value;
    };

    explicit COB_MapPtrToPtr(int blockSize = 10, _IOB_Allocator* allocator = nullptr);
    ~COB_MapPtrToPtr();

    bool Lookup(void* key, void*& value) const;
    void* GetValueAt(void* key) const;
    // The key's value slot; a missing key is inserted with a null value first. When no entry can
    // be made the slot is a scratch one that stores nothing.
    void*& operator[](void* key);
    bool RemoveKey(void* key);
    void RemoveAll();

    void GetNextAssoc(POSITION& position, void*& key, void*& value) const;
    CAssoc* GetCurrentAssoc(POSITION& position) const;
    CAssoc* GetAssocAt(void* key, uint32_t& bucket) const;

    void InitHashTable(uint32_t size, bool allocateNow = true);
    bool ExpandHashTable();
    uint32_t HashKey(void* key) const;
};

#endif
