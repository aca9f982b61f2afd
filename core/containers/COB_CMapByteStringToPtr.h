#ifndef COB_CMAPBYTESTRINGTOPTR_H
#define COB_CMAPBYTESTRINGTOPTR_H

#include "COB_BaseSegmentedArray.h"
#include "COB_ByteString.h"
#include "OB_Position.h"

// Compact map from byte string to pointer: 24-byte entries in insertion order, short keys kept
// inside the entry, found by a linear scan over 31-bit key codes. Removed entries stay and are
// reused. Not synchronised.
class COB_CMapByteStringToPtr : protected COB_BaseSegmentedArray
{
public:
    explicit COB_CMapByteStringToPtr(_IOB_Allocator* allocator = nullptr);
    ~COB_CMapByteStringToPtr();

    void SetAt(const COB_ByteStringC& key, void* value);
    // Appends an entry even when the key is already present.
    void AddValue(const COB_ByteStringC& key, void* value);
    bool Lookup(const COB_ByteStringC& key, void*& value) const;
    void RemoveKey(const COB_ByteStringC& key);
    void RemoveAll();

    int GetCount() const;
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& position, COB_ByteString& key, void*& value) const;
    void* GetNextValue(POSITION& position) const;

    // The key code: low 16 bits of the string hash, bits 16 to 30 of the RS hash, bit 31 clear.
    static uint32_t KeyCode(const COB_ByteStringC& key);

private:
    struct Entry;
    struct Search;

    Entry* Find(const COB_ByteStringC& key, uint32_t code) const;
    Entry* FirstRemoved() const;
    void Fill(Entry* entry, const COB_ByteStringC& key, uint32_t code, void* value, void* longKey);
    void* CopyLongKey(const COB_ByteStringC& key);
    void FreeLongKey(Entry* entry);
    void FreeLongKeys();
    COB_ByteStringC KeyOf(const Entry* entry) const;
    POSITION PositionFrom(int index) const;
};

#endif
