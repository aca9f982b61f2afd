#include "COB_CMapDWordToDWord.h"

#include <cstdlib>

namespace {

int CompareKeys(const void* key, const void* pair)
{
    const uint32_t a = *static_cast<const uint32_t*>(key);
    const uint32_t b = *static_cast<const uint32_t*>(pair);
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

bool COB_CMapDWordToDWord::Lookup(uint32_t key, uint32_t& value) const
{
    if (!m_Buffer.GetBuffer() || GetCount() == 0)
        return false;
    const uint32_t* pair =
        static_cast<const uint32_t*>(std::bsearch(&key, Pairs(), GetCount(), 2 * sizeof(uint32_t), CompareKeys));
    if (!pair)
        return false;
    value = pair[1];
    return true;
}

void COB_CMapDWordToDWord::SetAt(uint32_t key, uint32_t value)
{
    const uint32_t pair[2] = {key, value};
    const int count = GetCount();
    if (count == 0 || key > Pairs()[2 * (count - 1)]) {
        m_Buffer.AppendBlock(pair, sizeof(pair));
        return;
    }
    int low = 0, high = count - 1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const uint32_t midKey = Pairs()[2 * mid];
        if (midKey < key) {
            low = mid + 1;
        } else if (midKey == key) {
            reinterpret_cast<uint32_t*>(m_Buffer.GetBuffer())[2 * mid + 1] = value;
            return;
        } else {
            high = mid - 1;
        }
    }
    m_Buffer.InsertBlock(low * 8, pair, sizeof(pair));
}

void COB_CMapDWordToDWord::GetNextAssoc(POSITION& position, uint32_t& key, uint32_t& value) const
{
    if (!position)
        return;
    const int index = static_cast<int>(reinterpret_cast<uintptr_t>(position) - 1);
    key = Pairs()[2 * index];
    value = Pairs()[2 * index + 1];
    position = index + 1 >= GetCount() ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(index) + 2);
}

bool COB_CMapDWordToDWord::EstimateSize(uint32_t size, uint32_t growBy)
{
    // Sizes past what a 32-bit byte count holds are refused instead of wrapping.
    if (size > 0x7FFFFFFFu / 8 || growBy > 0x7FFFFFFFu / 8)
        return false;
    return m_Buffer.EstimateSize(static_cast<int>(size * 8), static_cast<int>(growBy * 8));
}
