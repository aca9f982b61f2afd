#include "StandardButtons.h"

#include "AUILibConfig.h"
#include "TranslationFiles.h"

#include <gtest/gtest.h>

using namespace AUILib;

class StandardButtonsTest : public SandboxTest
{
protected:
    void SetUp() override { SetWorkingDirPath(files.workingDir().toStdWString()); }

    TranslationFiles files{sandbox};
};

TEST_F(StandardButtonsTest, TableOrderAndTranslatedCaptions)
{
    const std::pair<QDialogButtonBox::StandardButton, const char *> expected[] = {
        {QDialogButtonBox::Reset, "Reset"}, {QDialogButtonBox::Yes, "Yes"},       {QDialogButtonBox::Ok, "OK"},
        {QDialogButtonBox::Retry, "Retry"}, {QDialogButtonBox::Ignore, "Ignore"}, {QDialogButtonBox::No, "No"},
        {QDialogButtonBox::Abort, "Abort"}, {QDialogButtonBox::Cancel, "Cancel"},
    };
    const auto &table = StandardButtonTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].button, expected[i].first) << i;
        EXPECT_EQ(QString::fromWCharArray(table[i].name), QString::fromLatin1(expected[i].second)) << i;
        EXPECT_EQ(StandardButtonCaption(table[i]), QString::fromLatin1(expected[i].second)) << i;
    }

    SetCurrentLanguage(L"de-DE", false);
    ASSERT_TRUE(files.writeStrings("de-DE", "", "<string id=\"AUILib::BBoxCancel\">Abbrechen</string>"));
    EXPECT_EQ(StandardButtonCaption(table[7]), QStringLiteral("Abbrechen"));
    EXPECT_EQ(StandardButtonCaption(table[2]), QStringLiteral("OK"));
}
