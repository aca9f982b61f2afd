#include "COB_CRTFileAccess.h"

#include "OB_FileStream.h"
#include "Sandbox.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FileAccessTest : public SandboxTest
{
};

TEST_F(FileAccessTest, EmptyPathGivesNothing)
{
    EXPECT_EQ(OB_CreateDefaultFileAccess(COB_WideStringC()), nullptr);
    EXPECT_EQ(OB_CreateDefaultFileAccess(COB_WideStringC(L"")), nullptr);
}

TEST_F(FileAccessTest, OpensIndependentStreamsOnItsPath)
{
    std::wstring path = sandbox.base().toStdWString() + L"/acc\u00e8s.bin";
    IOB_FileAccess* access = OB_CreateDefaultFileAccess(COB_WideStringC(path.c_str()));
    ASSERT_NE(access, nullptr);
    COB_WideString got;
    access->GetPath(got);
    EXPECT_EQ(got, path.c_str());

    EXPECT_EQ(access->CreateFileStream(OB_FILEMODE_READONLY), nullptr); // not there yet
    IOB_FileStream* writer = access->CreateFileStream(OB_FILEMODE_TRUNCATE);
    ASSERT_NE(writer, nullptr);
    EXPECT_TRUE(writer->WriteBlock("0123456789", 10));
    IOB_FileStream* reader = access->CreateFileStream(OB_FILEMODE_READONLY);
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(writer->SetPosition(7) == 7);
    EXPECT_EQ(reader->GetPosition(), 0); // its own offset
    char buf[4];
    EXPECT_EQ(reader->ReadBlock(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "0123");

    // The holder outlives the streams it made and they outlive it.
    EXPECT_EQ(access->Retain(), access);
    access->Release();
    access->Release();
    EXPECT_EQ(reader->ReadBlock(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "4567");
    reader->Release();
    writer->Release();
}

} // namespace
