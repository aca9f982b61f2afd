#include "COB_CMapByteStringToPtr.h"

#include "COB_MemoryMgr.h"
#include "OB_Hash.h"

#include <cstring>

namespace {

const uint8_t kMaxInline = 11;
const uint8_t kRemoved = 254;
const uint8_t kLong = 255;
const uint32_t kRemovedCode = 0xFFFFFFFFu;
// Length field value saying that the key's block begins with its full 32-bit length, for keys
// the two length bytes cannot hold.
const uint32_t kLengthInBlock = 0xFFFF;

} // namespace

struct COB_CMapByteStringToPtr::Entry
{
    uint32_t code;
    uint8_t tag;
    uint8_t storage[kMaxInline];
    void* value;

    uint32_t LongLength() const { return (static_cast<uint32_t>(storage[0]) << 8) | storage[1]; }
    uint8_t* LongBlock() const
    {
        uint8_t* block;
        std::memcpy(&block, storage + 2, sizeof(block));
        return block;
    }
};

struct COB_CMapByteStringToPtr::Search
{
    const COB_CMapByteStringToPtr* map;
    const COB_ByteStringC* key;
    uint32_t code;

    static bool Matches(void* param, void* element)
    {
        const Search* s = static_cast<const Search*>(param);
        const Entry* entry = static_cast<const Entry*>(element);
        // Codes only narrow the search: two keys sharing a code are still two keys.
        return !(entry->code == s->code && entry->tag != kRemoved && s->map->KeyOf(entry) == *s->key);
    }
    static bool IsLive(void*, void* element) { return static_cast<const Entry*>(element)->tag != kRemoved; }
};

COB_CMapByteStringToPtr::COB_CMapByteStringToPtr(_IOB_Allocator* allocator)
    : COB_BaseSegmentedArray(sizeof(Entry), 16, 4, allocator)
{
    static_assert(sizeof(void*) != 8 || sizeof(Entry) == 24, "entries are 24 bytes");
}

COB_CMapByteStringToPtr::~COB_CMapByteStringToPtr()
{
    FreeLongKeys();
}

uint32_t COB_CMapByteStringToPtr::KeyCode(const COB_ByteStringC& key)
{
    const int length = key.GetLength();
    if (length <= 0 || !key.GetPtr())
        return 0;
    const uint32_t low = OB_HashCode_String_GetA(key.GetCStr(), length, false) & 0xFFFFu;
    uint32_t hash = 0, a = 63689;
    for (int i = 0; i < length; ++i) {
        hash = hash * a + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(key.GetAt(i))));
        a *= 378551u;
    }
    return low | (hash & 0x7FFF0000u);
}

COB_ByteStringC COB_CMapByteStringToPtr::KeyOf(const Entry* entry) const
{
    if (entry->tag <= kMaxInline)
        return COB_ByteStringC(entry->storage, entry->tag);
    if (entry->tag != kLong)
        return COB_ByteStringC();
    const uint8_t* block = entry->LongBlock();
    if (!block)
        return COB_ByteStringC();
    uint32_t length = entry->LongLength();
    if (length == kLengthInBlock) {
        std::memcpy(&length, block, sizeof(length));
        block += sizeof(length);
    }
    return COB_ByteStringC(block, static_cast<int>(length));
}

COB_CMapByteStringToPtr::Entry* COB_CMapByteStringToPtr::Find(const COB_ByteStringC& key, uint32_t code) const
{
    Search search{this, &key, code};
    return static_cast<Entry*>(Iterate(&Search::Matches, &search));
}

COB_CMapByteStringToPtr::Entry* COB_CMapByteStringToPtr::FirstRemoved() const
{
    return static_cast<Entry*>(Iterate(&Search::IsLive, nullptr));
}

void* COB_CMapByteStringToPtr::CopyLongKey(const COB_ByteStringC& key)
{
    const uint32_t length = static_cast<uint32_t>(key.GetLength());
    const size_t header = length >= kLengthInBlock ? sizeof(uint32_t) : 0;
    uint8_t* block = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(m_pAllocator, header + length));
    if (!block)
        return nullptr;
    if (header)
        std::memcpy(block, &length, sizeof(length));
    std::memcpy(block + header, key.GetPtr(), length);
    return block;
}

void COB_CMapByteStringToPtr::Fill(Entry* entry, const COB_ByteStringC& key, uint32_t code, void* value,
                                   void* longKey)
{
    entry->code = code;
    const int length = key.GetLength() > 0 ? key.GetLength() : 0;
    if (length <= kMaxInline) {
        entry->tag = static_cast<uint8_t>(length);
        if (length)
            std::memcpy(entry->storage, key.GetPtr(), length);
    } else {
        const uint32_t field = static_cast<uint32_t>(length) >= kLengthInBlock ? kLengthInBlock : length;
        entry->tag = kLong;
        entry->storage[0] = static_cast<uint8_t>(field >> 8);
        entry->storage[1] = static_cast<uint8_t>(field);
        std::memcpy(entry->storage + 2, &longKey, sizeof(longKey));
    }
    entry->value = value;
}

void COB_CMapByteStringToPtr::SetAt(const COB_ByteStringC& key, void* value)
{
    const uint32_t code = KeyCode(key);
    if (Entry* entry = Find(key, code)) {
        entry->value = value;
        return;
    }
    void* longKey = nullptr;
    if (key.GetLength() > kMaxInline && !(longKey = CopyLongKey(key)))
        return; // an entry without its key would read back as another key
    Entry* entry = FirstRemoved();
    if (!entry)
        entry = static_cast<Entry*>(Add());
    if (!entry) {
        OBMEM_AllocatorFree(m_pAllocator, longKey);
        return;
    }
    Fill(entry, key, code, value, longKey);
}

void COB_CMapByteStringToPtr::AddValue(const COB_ByteStringC& key, void* value)
{
    void* longKey = nullptr;
    if (key.GetLength() > kMaxInline && !(longKey = CopyLongKey(key)))
        return;
    Entry* entry = static_cast<Entry*>(Add());
    if (!entry) {
        OBMEM_AllocatorFree(m_pAllocator, longKey);
        return;
    }
    Fill(entry, key, KeyCode(key), value, longKey);
}

bool COB_CMapByteStringToPtr::Lookup(const COB_ByteStringC& key, void*& value) const
{
    Entry* entry = Find(key, KeyCode(key));
    if (!entry)
        return false;
    value = entry->value;
    return true;
}

void COB_CMapByteStringToPtr::FreeLongKey(Entry* entry)
{
    if (entry->tag == kLong) {
        OBMEM_AllocatorFree(m_pAllocator, entry->LongBlock());
        void* none = nullptr;
        std::memcpy(entry->storage + 2, &none, sizeof(none));
    }
}

void COB_CMapByteStringToPtr::RemoveKey(const COB_ByteStringC& key)
{
    Entry* entry = Find(key, KeyCode(key));
    if (!entry)
        return;
    FreeLongKey(entry);
    entry->tag = kRemoved;
    entry->code = kRemovedCode;
}

void COB_CMapByteStringToPtr::FreeLongKeys()
{
    for (int i = 0, n = GetSize(); i < n; ++i)
        FreeLongKey(static_cast<Entry*>(GetAt(i)));
}

void COB_CMapByteStringToPtr::RemoveAll()
{
    FreeLongKeys();
    COB_BaseSegmentedArray::RemoveAll();
}

int COB_CMapByteStringToPtr::GetCount() const
{
    int count = 0;
    for (int i = 0, n = GetSize(); i < n; ++i)
        if (static_cast<const Entry*>(GetAt(i))->tag != kRemoved)
            ++count;
    return count;
}

POSITION COB_CMapByteStringToPtr::PositionFrom(int index) const
{
    for (int n = GetSize(); index < n; ++index)
        if (static_cast<const Entry*>(GetAt(index))->tag != kRemoved)
            return reinterpret_cast<POSITION>(static_cast<uintptr_t>(index) + 1);
    return nullptr;
}

POSITION COB_CMapByteStringToPtr::GetStartPosition() const
{
    return PositionFrom(0);
}

void COB_CMapByteStringToPtr::GetNextAssoc(POSITION& position, COB_ByteString& key, void*& value) const
{
    if (!position)
        return;
    const int index = static_cast<int>(reinterpret_cast<uintptr_t>(position) - 1);
    const Entry* entry = static_cast<const Entry*>(GetAt(index));
    key = KeyOf(entry);
    value = entry->value;
    position = PositionFrom(index + 1);
}

void* COB_CMapByteStringToPtr::GetNextValue(POSITION& position) const
{
    if (!position)
        return nullptr;
    const int index = static_cast<int>(reinterpret_cast<uintptr_t>(position) - 1);
    void* value = static_cast<const Entry*>(GetAt(index))->value;
    position = PositionFrom(index + 1);
    return value;
}
