#include "COB_WideTextBuf.h"

#include "COB_MemoryMgr.h"
#include "COB_WideString.h"
#include "COB_WideStringL.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const COB_WideTextBuf& buf)
{
    COB_WideStringC view = buf.GetWideString();
    return std::wstring(view.GetPtr() ? view.GetPtr() : L"", static_cast<size_t>(view.GetLength()));
}

} // namespace

TEST(COB_WideTextBuf, AppendsCharactersAndNumbers)
{
    COB_WideTextBuf buf;
    buf << 42;
    EXPECT_EQ(buf.GetSize(), 8);
    EXPECT_EQ(buf.GetLength(), 2);
    EXPECT_EQ(Text(buf), L"42");

    buf << L"|" << COB_WideString(L"\u00e9t\u00e9") << COB_WideStringC(L"|", 1) << -7 << L"|" << 2.5 << L"|"
        << 0.1 << L"|" << 3e9;
    EXPECT_EQ(Text(buf), L"42|\u00e9t\u00e9|-7|2.5|0.1|3000000000");

    size_t before = static_cast<size_t>(buf.GetSize());
    buf << L"" << COB_WideString();
    EXPECT_EQ(static_cast<size_t>(buf.GetSize()), before);

    EXPECT_TRUE(buf.AppendChar(static_cast<wchar_t>(0x1F600)));
    EXPECT_EQ(buf.GetWideString().GetAt(buf.GetLength() - 1), static_cast<wchar_t>(0x1F600));

    COB_WideTextBuf other;
    other << L"tail";
    buf << other;
    EXPECT_EQ(Text(buf).substr(Text(buf).size() - 4), L"tail");

    buf = COB_WideStringC(L"reset");
    EXPECT_EQ(Text(buf), L"reset");
}

TEST(COB_WideTextBuf, LightCopyUsesTheBuffersAllocator)
{
    COB_WideTextBuf buf(OBMEM_GetDefAllocator());
    buf << L"light";
    COB_WideStringL copy;
    buf.GetWideStringL(copy);
    EXPECT_EQ(std::wstring(copy.GetPtr()), L"light");
    EXPECT_EQ(copy.GetLength(), 5);
    copy.Empty(OBMEM_GetDefAllocator());
}
