#include "COB_ArchiveSaver.h"

#include "COB_ArchiveLoader.h"
#include "OB_FileStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const COB_ArchiveSaver& saver)
{
    return std::vector<uint8_t>(saver.GetBuffer(), saver.GetBuffer() + saver.GetLength());
}

TEST(COB_ArchiveSaver, GoldenBytes)
{
    struct Case
    {
        const char* name;
        void (*write)(COB_ArchiveSaver&);
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"int then string", [](COB_ArchiveSaver& s) { s << 1 << "ab"; }, {1, 0, 0, 0, 2, 0, 0, 0, 0x61, 0x62}},
        {"wide A", [](COB_ArchiveSaver& s) { s << COB_WideString(L"A"); }, {4, 0, 0, 0, 0x41, 0, 0, 0}},
        {"empty wide", [](COB_ArchiveSaver& s) { s << COB_WideString(); }, {2, 0, 0, 0, 0, 0}},
        {"wide pointer", [](COB_ArchiveSaver& s) { s << L"A"; }, {4, 0, 0, 0, 0x41, 0, 0, 0}},
        {"empty and null byte strings",
         [](COB_ArchiveSaver& s) { s << COB_ByteString() << static_cast<const char*>(nullptr); },
         {0, 0, 0, 0, 0, 0, 0, 0}},
        {"byte, bool, unsigned",
         [](COB_ArchiveSaver& s) { s << static_cast<unsigned char>(0xFE) << true << false << 0x80000001u; },
         {0xFE, 1, 0, 1, 0, 0, 0x80}},
        {"float and long long", [](COB_ArchiveSaver& s) { s << 1.0f << -2LL; },
         {0, 0, 0x80, 0x3F, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"raw", [](COB_ArchiveSaver& s) { s.Write("xyz", 3); }, {'x', 'y', 'z'}},
        // Characters beyond the 16-bit range travel as a surrogate pair rather than losing their upper bits.
        {"astral", [](COB_ArchiveSaver& s) { s << COB_WideString(L"\U0001F600"); },
         {6, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COB_ArchiveSaver saver;
        c.write(saver);
        EXPECT_EQ(Bytes(saver), c.bytes);
    }
}

TEST(COB_ArchiveSaver, RoundTripThroughTheLoader)
{
    COB_ArchiveSaver saver;
    saver << static_cast<unsigned char>(7) << true << -5 << 4000000000u << 2.5f << (1LL << 40)
          << COB_ByteString("bytes") << COB_WideString(L"wide \u00e9\U0001F600") << COB_WideString();
    COB_ArchiveLoader loader(saver.GetBuffer(), static_cast<unsigned int>(saver.GetLength()));
    unsigned char byte = 0;
    bool flag = false;
    int number = 0;
    unsigned int count = 0;
    float real = 0;
    long long big = 0;
    COB_ByteString text;
    COB_WideString wide, empty(L"x");
    loader >> byte >> flag >> number >> count >> real >> big >> text >> wide >> empty;
    EXPECT_EQ(byte, 7);
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, -5);
    EXPECT_EQ(count, 4000000000u);
    EXPECT_EQ(real, 2.5f);
    EXPECT_EQ(big, 1LL << 40);
    EXPECT_STREQ(text.c_str(), "bytes");
    EXPECT_STREQ(wide.c_str(), L"wide \u00e9\U0001F600");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(loader.IsEOF());
}

TEST(COB_ArchiveSaver, OntoAStreamEachPieceIsAppended)
{
    IOB_MemoryStream* stream = OB_CreateMemoryStream(true);
    COB_ArchiveSaver saver(stream);
    saver << 1 << "ab" << static_cast<unsigned char>(9);
    saver.Write(nullptr, 4); // nothing to reserve on a stream
    EXPECT_EQ(saver.GetLength(), 0);
    ASSERT_EQ(stream->GetSize(), 11);
    std::vector<uint8_t> bytes(11);
    ASSERT_TRUE(stream->ReadBlock(bytes.data(), 0, bytes.size()));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 0, 0, 0, 2, 0, 0, 0, 0x61, 0x62, 9}));
    stream->Release();
}

} // namespace
