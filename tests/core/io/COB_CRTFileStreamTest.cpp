#include "COB_CRTFileStream.h"

#include "COB_MemoryMgr.h"
#include "OB_FileStream.h"
#include "SandboxFileTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Allocator that counts live blocks, to see that a stream gives back everything it took.
struct Counting
{
    _IOB_Allocator table;
    int live;
    int calls;
};
void* CAlloc(_IOB_Allocator* a, size_t size)
{
    Counting* c = reinterpret_cast<Counting*>(a);
    ++c->live;
    ++c->calls;
    return std::malloc(size);
}
void* CAllocD(_IOB_Allocator* a, size_t size, const char*, int)
{
    return CAlloc(a, size);
}
void* CRealloc(_IOB_Allocator*, void* block, size_t size)
{
    return std::realloc(block, size);
}
void* CReallocD(_IOB_Allocator*, void* block, size_t size, const char*, int)
{
    return std::realloc(block, size);
}
void CFree(_IOB_Allocator* a, void* block)
{
    if (block)
        --reinterpret_cast<Counting*>(a)->live;
    std::free(block);
}

class FileStreamTest : public SandboxFileTest
{
protected:
    // A 1000-byte file whose byte i is i % 251.
    IOB_FileStream* Thousand(uint32_t mode = 0)
    {
        std::string bytes(1000, '\0');
        for (int i = 0; i < 1000; ++i)
            bytes[i] = static_cast<char>(i % 251);
        Write("thousand", bytes);
        return OB_CreateFileStream(Path("thousand").c_str(), mode);
    }
};

TEST_F(FileStreamTest, FactoriesOpenWhatTheyPromise)
{
    EXPECT_EQ(OB_CreateFileRead(Path("missing").c_str()), nullptr);
    EXPECT_EQ(Read("missing"), "<missing>");
    EXPECT_EQ(OB_CreateFileStream(static_cast<const char*>(nullptr), 0), nullptr);
    EXPECT_EQ(OB_CreateFileStream(static_cast<const wchar_t*>(nullptr), 0), nullptr);

    IOB_FileWrite* created = OB_CreateFileWrite(Path("new").c_str());
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetSize(), 0);
    created->Release();
    EXPECT_EQ(Read("new"), "");

    Write("old", "previous contents");
    IOB_FileWrite* emptied = OB_CreateFileWrite(Path("old").c_str());
    ASSERT_NE(emptied, nullptr);
    EXPECT_EQ(emptied->GetSize(), 0);
    // Through the write face: appends, positioned writes, flush.
    EXPECT_TRUE(emptied->WriteBlock("abc", 3));
    EXPECT_TRUE(emptied->WriteBlock("def", 3));
    EXPECT_TRUE(emptied->WriteBlock("X", 1, 1));
    EXPECT_TRUE(emptied->Flush());
    EXPECT_EQ(emptied->GetSize(), 6);
    emptied->Release();
    EXPECT_EQ(Read("old"), "aXcdef");

    IOB_FileRead* reader = OB_CreateFileRead(Path("old").c_str());
    ASSERT_NE(reader, nullptr);
    char buf[8] = {};
    EXPECT_EQ(reader->ReadBlock(buf, 8), 6u);
    EXPECT_EQ(std::string(buf, 6), "aXcdef");
    EXPECT_TRUE(reader->IsEOF());
    reader->Release();

    std::wstring wide = QString::fromStdString(Path("\u00fc.xml")).toStdWString();
    IOB_FileWrite* w = OB_CreateFileWrite(wide.c_str());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->WriteBlock("<a/>", 4));
    w->Release();
    IOB_FileRead* r = OB_CreateFileRead(wide.c_str());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->GetSize(), 4);
    r->Release();
}

TEST_F(FileStreamTest, ReadOnlyStreamRefusesWrites)
{
    IOB_FileStream* stream = Thousand(OB_FILEMODE_READONLY);
    ASSERT_NE(stream, nullptr);
    EXPECT_FALSE(stream->WriteBlock("x", 1));
    EXPECT_FALSE(stream->WriteBlock("x", 0, 1));
    EXPECT_EQ(stream->GetSize(), 1000);
    stream->Release();
}

TEST_F(FileStreamTest, PositionsAndSequentialReads)
{
    IOB_FileStream* stream = Thousand();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetPosition(), 0);
    EXPECT_FALSE(stream->IsEOF());
    struct
    {
        OB_FILESIZE set;
        OB_FILESIZE result;
        OB_FILESIZE positionAfter;
    } moves[] = {
        {10, 10, 10},
        {1000, 1000, 1000}, // the end is a valid position
        {1001, -1, 1000},   // past it nothing moves
        {-1, -1, 1000},
        {0, 0, 0},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.set);
        EXPECT_EQ(stream->SetPosition(m.set), m.result);
        EXPECT_EQ(stream->GetPosition(), m.positionAfter);
    }
    unsigned char buf[600];
    EXPECT_EQ(stream->ReadBlock(buf, 600), 600u);
    EXPECT_EQ(buf[599], 599 % 251);
    EXPECT_EQ(stream->ReadBlock(buf, 600), 400u);
    EXPECT_EQ(buf[0], 600 % 251);
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_EQ(stream->ReadBlock(buf, 600), 0u);
    stream->Release();
}

TEST_F(FileStreamTest, PositionedReadsDeliverAllOrFail)
{
    IOB_FileStream* stream = Thousand();
    ASSERT_NE(stream, nullptr);
    struct
    {
        OB_FILESIZE offset;
        size_t size;
        bool ok;
    } cases[] = {
        {0, 1000, true},  {990, 10, true},
        {995, 10, false}, // runs past the end: not a success with stale bytes behind it
        {1000, 1, false}, {5000, 1, false}, {-1, 1, false}, {10, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        std::vector<unsigned char> buf(c.size + 1, 0xEE);
        EXPECT_EQ(stream->ReadBlock(buf.data(), c.offset, c.size), c.ok);
        if (c.ok) {
            EXPECT_EQ(buf[0], c.offset % 251);
            EXPECT_EQ(buf[c.size - 1], (c.offset + c.size - 1) % 251);
        }
    }
    // The positioned read leaves the position at its end.
    unsigned char b[5];
    ASSERT_TRUE(stream->ReadBlock(b, 100, 5));
    EXPECT_EQ(stream->GetPosition(), 105);
    stream->Release();
}

TEST_F(FileStreamTest, WindowRestrictsEveryOffset)
{
    IOB_FileStream* stream = Thousand();
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(stream->SetWindow(100, 50));
    EXPECT_EQ(stream->GetSize(), 50);
    EXPECT_EQ(stream->GetPosition(), 0);

    unsigned char buf[100];
    struct
    {
        OB_FILESIZE offset;
        size_t size;
        bool ok;
    } reads[] = {{40, 20, false}, {40, 10, true}, {0, 50, true}, {-1, 5, false}, {50, 1, false}};
    for (const auto& r : reads) {
        SCOPED_TRACE(r.offset);
        EXPECT_EQ(stream->ReadBlock(buf, r.offset, r.size), r.ok);
        if (r.ok) {
            EXPECT_EQ(buf[0], (100 + r.offset) % 251);
        }
    }
    // Sequential reads stop at the window's end.
    EXPECT_EQ(stream->SetPosition(45), 45);
    EXPECT_EQ(stream->ReadBlock(buf, 100), 5u);
    EXPECT_EQ(buf[0], 145 % 251);
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_EQ(stream->ReadBlock(buf, 100), 0u);
    EXPECT_EQ(stream->SetPosition(51), -1);
    EXPECT_EQ(stream->SetPosition(50), 50);

    // A write past the window's end leaves nothing of the window to read sequentially.
    EXPECT_TRUE(stream->WriteBlock("!", 60, 1));
    EXPECT_EQ(stream->ReadBlock(buf, 100), 0u);
    // Appending writes at the window's end.
    EXPECT_TRUE(stream->WriteBlock("#", 1));
    stream->ClearWindow();
    EXPECT_EQ(stream->GetSize(), 1000);
    ASSERT_TRUE(stream->ReadBlock(buf, 150, 11));
    EXPECT_EQ(buf[0], '#');
    EXPECT_EQ(buf[10], '!');

    struct
    {
        OB_FILESIZE offset, size;
        bool ok;
    } windows[] = {{900, 200, false}, {-1, 10, false}, {10, -1, false}, {0, 1000, true},
                   {1000, 0, true},   {1001, 0, false}, {INT64_MAX, INT64_MAX, false}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.offset);
        EXPECT_EQ(stream->SetWindow(w.offset, w.size), w.ok);
    }
    stream->Release();
}

TEST_F(FileStreamTest, AppendAndWriteAtOffsets)
{
    Write("log", "head");
    IOB_FileStream* stream = OB_CreateFileStream(Path("log").c_str(), 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetPosition(), 0);
    EXPECT_TRUE(stream->WriteBlock("-tail", 5)); // appends although the position is 0
    EXPECT_TRUE(stream->WriteBlock("H", 0, 1));
    EXPECT_TRUE(stream->WriteBlock("@", 12, 1)); // a gap of zeros
    EXPECT_FALSE(stream->WriteBlock("x", -1, 1));
    EXPECT_FALSE(stream->WriteBlock("x", 0, 0));
    EXPECT_TRUE(stream->Flush());
    stream->Release();
    EXPECT_EQ(Read("log"), std::string("Head-tail\0\0\0@", 13));
}

TEST_F(FileStreamTest, ReferencesAndAllocator)
{
    Counting counting{{CAllocD, CAlloc, CReallocD, CRealloc, CFree}, 0, 0};
    _IOB_Allocator* a = &counting.table;

    EXPECT_EQ(OB_CreateFileRead(Path("missing").c_str(), a), nullptr);
    EXPECT_EQ(counting.live, 0); // the handle of a failed open is given back

    IOB_FileStream* stream = OB_CreateFileStream(Path("counted").c_str(), 0, a);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(counting.live, 2); // the stream and its file handle
    EXPECT_EQ(stream->Retain(), stream);
    stream->Release();
    EXPECT_EQ(counting.live, 2);
    EXPECT_TRUE(stream->WriteBlock("still open", 10));
    stream->Release();
    EXPECT_EQ(counting.live, 0);
    EXPECT_EQ(Read("counted"), "still open");

    // The file is closed with the last reference: the descriptor count goes back.
    auto openDescriptors = [] {
        int n = 0;
        for (int fd = 0; fd < 1024; ++fd)
            n += fcntl(fd, F_GETFD) != -1;
        return n;
    };
    int before = openDescriptors();
    IOB_FileStream* plain = OB_CreateFileStream(Path("counted").c_str(), 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(openDescriptors(), before + 1);
    plain->Release();
    EXPECT_EQ(openDescriptors(), before);
}

TEST_F(FileStreamTest, SharedBetweenThreads)
{
    IOB_FileStream* stream = OB_CreateFileStream(Path("shared").c_str(), OB_FILEMODE_TRUNCATE);
    ASSERT_NE(stream, nullptr);
    // Appends from several threads: each record lands whole at its own place.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([stream, t] {
            std::string record(16, static_cast<char>('a' + t));
            for (int i = 0; i < 200; ++i) {
                stream->Retain();
                stream->WriteBlock(record.data(), record.size());
                stream->Release();
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(stream->GetSize(), 4 * 200 * 16);
    stream->Release();
    std::string bytes = Read("shared");
    for (size_t i = 0; i < bytes.size(); i += 16)
        ASSERT_EQ(bytes.substr(i, 16), std::string(16, bytes[i])) << i;
}

} // namespace
