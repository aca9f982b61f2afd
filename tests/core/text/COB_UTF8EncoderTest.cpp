#include "COB_UTF8Encoder.h"

#include "COB_ByteString.h"
#include "COB_ByteStringL.h"
#include "COB_MemoryMgr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> Encode(wchar_t ch)
{
    COB_UTF8Encoder encoder;
    encoder.Input(ch);
    COB_ByteStringC bytes = encoder.GetResult();
    return std::vector<unsigned char>(bytes.GetPtr(), bytes.GetPtr() + bytes.GetLength());
}

// Counts the blocks it hands out, to show where memory came from.
struct CountingAllocator
{
    _IOB_Allocator table;
    int live = 0;
    int calls = 0;
};

void* CAlloc(_IOB_Allocator* a, size_t size)
{
    auto* self = reinterpret_cast<CountingAllocator*>(a);
    ++self->live;
    ++self->calls;
    return malloc(size);
}
void* CAllocD(_IOB_Allocator* a, size_t size, const char*, int)
{
    return CAlloc(a, size);
}
void* CRealloc(_IOB_Allocator* a, void* block, size_t size)
{
    auto* self = reinterpret_cast<CountingAllocator*>(a);
    ++self->calls;
    if (!block)
        ++self->live;
    return realloc(block, size);
}
void* CReallocD(_IOB_Allocator* a, void* block, size_t size, const char*, int)
{
    return CRealloc(a, block, size);
}
void CFree(_IOB_Allocator* a, void* block)
{
    if (block)
        --reinterpret_cast<CountingAllocator*>(a)->live;
    free(block);
}

} // namespace

TEST(COB_UTF8Encoder, OneToSixBytes)
{
    struct Case
    {
        wchar_t ch;
        std::vector<unsigned char> bytes;
    } const cases[] = {
        {0x0, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0xC2, 0x80}},
        {0x7FF, {0xDF, 0xBF}},
        {0x800, {0xE0, 0xA0, 0x80}},
        {0xD800, {0xED, 0xA0, 0x80}},
        {0xFFFF, {0xEF, 0xBF, 0xBF}},
        {0x1F600, {0xF0, 0x9F, 0x98, 0x80}},
        {0x10FFFF, {0xF4, 0x8F, 0xBF, 0xBF}},
        {0x200000, {0xF8, 0x88, 0x80, 0x80, 0x80}},
        {0x7FFFFFFF, {0xFD, 0xBF, 0xBF, 0xBF, 0xBF, 0xBF}},
        {static_cast<wchar_t>(0x80000000u), {}},
        {-1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Encode(c.ch), c.bytes) << std::hex << static_cast<unsigned>(c.ch);
}

TEST(COB_UTF8Encoder, WholeTexts)
{
    const wchar_t text[] = {L'a', 0xE9, 0, L'b', 0};
    COB_ByteString all = OB_UTF8Encode(text, 4);
    EXPECT_EQ(std::string(all.c_str(), static_cast<size_t>(all.GetLength())), std::string("a\xC3\xA9\0b", 5));
    COB_ByteString measured = OB_UTF8Encode(text, -1); // stops at the first 0
    EXPECT_EQ(std::string(measured.c_str()), "a\xC3\xA9");
    EXPECT_EQ(OB_UTF8Encode(L"", -1).GetLength(), 0);

    // A long text grows the buffer many times over.
    std::wstring euros(10000, 0x20AC);
    EXPECT_EQ(OB_UTF8Encode(euros.c_str(), -1).GetLength(), 30000);
}

TEST(COB_UTF8Encoder, AllocatorForm)
{
    CountingAllocator counter;
    counter.table = {CAllocD, CAlloc, CReallocD, CRealloc, CFree};
    _IOB_Allocator* a = &counter.table;
    COB_ByteStringL out;
    OB_UTF8Encode(L"x\u20ACy", -1, out, a);
    EXPECT_EQ(std::string(out.GetPtr(), static_cast<size_t>(out.GetLength())), "x\xE2\x82\xAC" "y");
    EXPECT_EQ(counter.live, 1) << "only the delivered text stays, and it came from the allocator";
    EXPECT_GE(counter.calls, 2);
    out.Empty(a);
    EXPECT_EQ(counter.live, 0);
}
