#include "ToolTipText.h"

#include <gtest/gtest.h>

using AUILib::FormatToolTipText;

TEST(ToolTipText, WrapsOnlyForAWidth)
{
    const struct
    {
        const wchar_t *text;
        int width;
        const char *expected;
    } cases[] = {
        {L"Plain", 0, "Plain"},
        {L"Plain", -1, "Plain"},
        {L"Two\nlines", 1, "<div style='white-space:pre-wrap; max-width:1px;'>Two\nlines</div>"},
        {L"<b>Bold</b> 100%1 %2", 300, "<div style='white-space:pre-wrap; max-width:300px;'><b>Bold</b> 100%1 %2</div>"},
        {L"", 50, "<div style='white-space:pre-wrap; max-width:50px;'></div>"},
        {L"Größe ✓", 80, "<div style='white-space:pre-wrap; max-width:80px;'>Größe ✓</div>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatToolTipText(c.text, c.width), QString::fromUtf8(c.expected)) << c.width;
}
