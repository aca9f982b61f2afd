#include "COB_MemoryStream.h"

#include "COB_MemoryMgr.h"
#include "OB_FileStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Allocator that counts live blocks and refuses every request once told to.
struct Failing
{
    _IOB_Allocator table;
    int live = 0;
    bool fail = false;
    bool poison = false; // fresh blocks come filled with 0xCD, as stale memory might be
};
void* FAlloc(_IOB_Allocator* a, size_t size)
{
    Failing* f = reinterpret_cast<Failing*>(a);
    if (f->fail)
        return nullptr;
    ++f->live;
    void* block = std::malloc(size);
    if (block && f->poison)
        std::memset(block, 0xCD, size);
    return block;
}
void* FAllocD(_IOB_Allocator* a, size_t size, const char*, int)
{
    return FAlloc(a, size);
}
void* FRealloc(_IOB_Allocator* a, void* block, size_t size)
{
    Failing* f = reinterpret_cast<Failing*>(a);
    if (f->fail)
        return nullptr;
    if (!block)
        ++f->live;
    return std::realloc(block, size);
}
void* FReallocD(_IOB_Allocator* a, void* block, size_t size, const char*, int)
{
    return FRealloc(a, block, size);
}
void FFree(_IOB_Allocator* a, void* block)
{
    if (block)
        --reinterpret_cast<Failing*>(a)->live;
    std::free(block);
}

Failing MakeFailing()
{
    Failing f;
    f.table = {FAllocD, FAlloc, FReallocD, FRealloc, FFree};
    return f;
}

COB_MemoryStream* Stream(bool contiguous, _IOB_Allocator* allocator = nullptr)
{
    return static_cast<COB_MemoryStream*>(OB_CreateMemoryStream(contiguous, allocator));
}

std::string ReadAll(IOB_FileStream* stream)
{
    std::string bytes(static_cast<size_t>(stream->GetSize()), '\0');
    if (!bytes.empty()) {
        EXPECT_TRUE(stream->ReadBlock(&bytes[0], 0, bytes.size()));
    }
    return bytes;
}

TEST(COB_MemoryStream, GrowthFollowsTheBlockSize)
{
    COB_MemoryStream* s = Stream(true);
    EXPECT_TRUE(s->IsContiguous());
    ASSERT_TRUE(s->WriteBlock("0123456789", 0, 10));
    EXPECT_EQ(s->GetCapacity(), 65536u);
    EXPECT_EQ(s->GetSize(), 10);
    EXPECT_NE(s->GetDataBuffer(), nullptr);
    s->Release();

    s = Stream(true);
    s->PresetSizes(0, 100);
    EXPECT_EQ(s->GetBlockSize(), 4096u);
    EXPECT_EQ(s->GetCapacity(), 4096u);
    std::string big(5000, 'x');
    ASSERT_TRUE(s->WriteBlock(big.data(), 0, big.size()));
    EXPECT_EQ(s->GetCapacity(), 8192u);
    s->Release();

    s = Stream(false);
    s->PresetSizes(0, 4096);
    ASSERT_TRUE(s->WriteBlock("0123456789", 4090, 10));
    EXPECT_EQ(s->GetCapacity(), 8192u);
    char back[10];
    ASSERT_TRUE(s->ReadBlock(back, 4090, 10));
    EXPECT_EQ(std::string(back, 10), "0123456789");
    // A block-mode stream holding blocks keeps its block size.
    s->PresetSizes(0, 65536);
    EXPECT_EQ(s->GetBlockSize(), 4096u);
    s->Release();
}

// Writing past the end leaves a gap that reads as zeros, as in a file.
TEST(COB_MemoryStream, GapsReadAsZeros)
{
    for (bool contiguous : {true, false}) {
        SCOPED_TRACE(contiguous);
        Failing f = MakeFailing();
        f.poison = true;
        COB_MemoryStream* s = Stream(contiguous, &f.table);
        s->PresetSizes(65536, 4096);
        ASSERT_TRUE(s->WriteBlock("a", 0, 1));
        ASSERT_TRUE(s->WriteBlock("z", 9000, 1));
        EXPECT_TRUE(ReadAll(s) == "a" + std::string(8999, '\0') + "z");
        s->Release();
    }
}

TEST(COB_MemoryStream, RefusedCallsChangeNothing)
{
    COB_MemoryStream* s = Stream(true);
    ASSERT_TRUE(s->WriteBlock("abc", 0, 3));
    char c;
    EXPECT_FALSE(s->ReadBlock(&c, 0, 0));
    EXPECT_FALSE(s->ReadBlock(nullptr, 0, 1));
    EXPECT_FALSE(s->ReadBlock(&c, -1, 1));
    EXPECT_FALSE(s->ReadBlock(&c, 3, 1));
    EXPECT_FALSE(s->WriteBlock(nullptr, 0, 5));
    // A negative offset would write in front of the data.
    EXPECT_FALSE(s->WriteBlock("zz", -1, 2));
    EXPECT_EQ(s->SetPosition(-1), -1);
    EXPECT_EQ(s->SetPosition(4), -1);
    EXPECT_EQ(s->GetSize(), 3);
    EXPECT_EQ(ReadAll(s), "abc");

    // Sequential reading past the data.
    ASSERT_EQ(s->SetPosition(3), 3);
    EXPECT_EQ(s->ReadBlock(&c, 1), 0u);
    EXPECT_TRUE(s->IsEOF());
    s->Release();
}

TEST(COB_MemoryStream, WindowOverHundredBytes)
{
    COB_MemoryStream* s = Stream(false);
    std::string data(100, '\0');
    for (int i = 0; i < 100; ++i)
        data[i] = static_cast<char>(i);
    ASSERT_TRUE(s->WriteBlock(data.data(), 0, data.size()));
    ASSERT_TRUE(s->SetWindow(10, 20));
    EXPECT_EQ(s->GetPosition(), 0);
    char buffer[50];
    ASSERT_EQ(s->ReadBlock(buffer, 50), 20u);
    EXPECT_EQ(std::string(buffer, 20), data.substr(10, 20));
    EXPECT_TRUE(s->IsEOF());
    // Appending writes at the window's end.
    ASSERT_TRUE(s->WriteBlock("!", 1));
    s->ClearWindow();
    EXPECT_EQ(ReadAll(s)[30], '!');
    s->Release();
}

TEST(COB_MemoryStream, DetachHandsTheBufferOverAndAttachWrapsOne)
{
    COB_MemoryStream* blocks = Stream(false);
    ASSERT_TRUE(blocks->WriteBlock("abc", 0, 3));
    blocks->DetachData(); // block mode: nothing happens
    EXPECT_EQ(ReadAll(blocks), "abc");
    blocks->AttachData(nullptr, 0, false); // block mode: nothing happens
    EXPECT_EQ(blocks->GetSize(), 3);
    blocks->Release();

    COB_MemoryStream* s = Stream(true);
    ASSERT_TRUE(s->WriteBlock("abc", 0, 3));
    uint8_t* taken = s->GetDataBuffer();
    s->DetachData();
    EXPECT_FALSE(s->IsContiguous());
    EXPECT_EQ(s->GetSize(), 0);
    EXPECT_EQ(s->GetDataBuffer(), nullptr);
    ASSERT_TRUE(s->WriteBlock("de", 0, 2)); // carries on in block mode
    EXPECT_EQ(ReadAll(s), "de");
    s->Release();
    EXPECT_EQ(std::string(reinterpret_cast<char*>(taken), 3), "abc");
    OBMEM_DefaultFree(taken, 0);
}

// The stream writes into a caller's buffer in place, but never resizes or frees a buffer it was not given:
// growing past its end moves the bytes to a block of the stream's own.
TEST(COB_MemoryStream, CallersBufferIsNeverResizedOrFreed)
{
    std::vector<char> mine(16, 'a');
    IOB_MemoryStream* s = OB_CreateMemoryStream(mine.data(), mine.size(), false);
    ASSERT_TRUE(s->WriteBlock("b", 0, 1));
    EXPECT_EQ(mine[0], 'b');
    ASSERT_TRUE(s->WriteBlock("0123456789", 10, 10));
    EXPECT_NE(s->GetDataBuffer(), reinterpret_cast<uint8_t*>(mine.data()));
    EXPECT_EQ(std::string(mine.begin(), mine.end()), "b" + std::string(15, 'a'));
    EXPECT_EQ(ReadAll(s), "b" + std::string(9, 'a') + "0123456789");
    s->Release(); // frees its own block, not ours
    EXPECT_EQ(mine.size(), 16u);
}

TEST(COB_MemoryStream, FailedGrowthKeepsDataAndState)
{
    for (bool contiguous : {true, false}) {
        SCOPED_TRACE(contiguous);
        Failing f = MakeFailing();
        COB_MemoryStream* s = Stream(contiguous, &f.table);
        std::string data(1000, 'd');
        ASSERT_TRUE(s->WriteBlock(data.data(), 0, data.size()));
        ASSERT_EQ(s->SetPosition(10), 10);
        uint64_t capacity = s->GetCapacity();
        f.fail = true;
        std::string more(200000, 'm');
        EXPECT_FALSE(s->WriteBlock(more.data(), 500, more.size()));
        EXPECT_EQ(s->GetSize(), 1000);
        EXPECT_EQ(s->GetPosition(), 10);
        EXPECT_EQ(s->GetCapacity(), capacity);
        EXPECT_TRUE(ReadAll(s) == data);
        // Within the capacity nothing needs memory.
        EXPECT_TRUE(s->WriteBlock("x", 999, 1));
        f.fail = false;
        EXPECT_TRUE(s->WriteBlock(more.data(), 500, more.size()));
        EXPECT_EQ(s->GetSize(), 200500);
        s->Release();
        EXPECT_EQ(f.live, 0);
    }
}

TEST(COB_MemoryStream, EverythingGoesBackThroughTheAllocator)
{
    Failing f = MakeFailing();
    IOB_MemoryStream* s = OB_CreateMemoryStream(false, &f.table);
    std::string data(300000, 'z');
    ASSERT_TRUE(s->WriteBlock(data.data(), data.size()));
    IOB_FileStream* again = s->Retain();
    s->Release();
    EXPECT_GT(f.live, 1);
    EXPECT_EQ(again->GetSize(), 300000);
    again->Release();
    EXPECT_EQ(f.live, 0);

    void* given = FAlloc(&f.table, 64);
    s = OB_CreateMemoryStream(given, 64, true, &f.table);
    ASSERT_TRUE(s->WriteBlock(data.data(), 0, 100000)); // grows the block it was given
    s->Release();
    EXPECT_EQ(f.live, 0);
}

} // namespace
