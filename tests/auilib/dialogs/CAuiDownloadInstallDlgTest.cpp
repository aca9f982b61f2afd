#include "CAuiDownloadInstallDlg.h"

#include "Button.h"
#include "DialogForms.h"
#include "Edit.h"
#include "Label.h"
#include "TreeView.h"

#include <QFile>
#include <QLabel>
#include <QTest>

using namespace AUILib;

class CAuiDownloadInstallDlgTest : public DialogFormTest
{
protected:
    static QByteArray ownForm()
    {
        QFile file(ORBEL_AUILIB_FORMS_DIR "/AuiDownloadInstallDlg.ui");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString labelText(Label *label) { return qobject_cast<QLabel *>(label->GetPlatformHandle())->text(); }
};

TEST_F(CAuiDownloadInstallDlgTest, BuiltFromItsOwnFormItFetchesItsControlsEachRun)
{
    const QByteArray text = ownForm();
    ASSERT_FALSE(text.isEmpty());
    CAuiDownloadInstallDlg dialog(form(text, "AuiDownloadInstallDlg.ui"), nullptr);
    EXPECT_EQ(dialog.TitleLabel(), nullptr);

    dialog.DoModeless(false);
    EXPECT_TRUE(dialog.GetWndPtr()->isVisible());
    EXPECT_EQ(dialog.CloseButton(), dialog.GetControlPtr<Button *>(L"btn_close"));
    EXPECT_EQ(dialog.DownloadButton(), dialog.GetControlPtr<Button *>(L"btn_download"));
    EXPECT_NE(dialog.CloseButton(), nullptr);
    EXPECT_NE(dialog.DownloadButton(), nullptr);
    for (Label *label : {dialog.ImageLabel(), dialog.TitleLabel(), dialog.UpdatesDescriptionLabel(),
                         dialog.VersionLabel(), dialog.DescriptionLabel()})
        EXPECT_NE(label, nullptr);
    EXPECT_NE(dialog.DescriptionEdit(), nullptr);
    EXPECT_NE(dialog.ModuleTree(), nullptr);
    EXPECT_EQ(labelText(dialog.TitleLabel()), "Orbel PDF Reader");
    EXPECT_EQ(labelText(dialog.VersionLabel()), "");

    // Run again, the texts are set again.
    dialog.TitleLabel()->SetText(L"changed", true);
    dialog.VersionLabel()->SetText(L"1.2", true);
    dialog.DoModeless(false);
    EXPECT_EQ(labelText(dialog.TitleLabel()), "Orbel PDF Reader");
    EXPECT_EQ(labelText(dialog.VersionLabel()), "");

    // It attaches nothing to its buttons: Escape is what ends a modal run.
    dialog.Show(false, false);
    whenShown(dialog.GetWndPtr(), [&] { QTest::keyClick(dialog.GetWndPtr(), Qt::Key_Escape); });
    EXPECT_EQ(dialog.DoModal(), 0);
}

TEST_F(CAuiDownloadInstallDlgTest, MissingControlsStayNull)
{
    QByteArray text = ownForm();
    // No tree, and a title that is a button rather than a label.
    text.replace("<widget class=\"QTreeView\" name=\"treeView\"/>", "<spacer name=\"noTree\"/>");
    text.replace("<widget class=\"QLabel\" name=\"lbl_title\">", "<widget class=\"QPushButton\" name=\"lbl_title\">");
    CAuiDownloadInstallDlg dialog(form(text, "AuiDownloadInstallDlg.ui"), nullptr);
    dialog.DoModeless(false);
    EXPECT_TRUE(dialog.GetWndPtr()->isVisible());
    EXPECT_EQ(dialog.ModuleTree(), nullptr);
    EXPECT_EQ(dialog.TitleLabel(), nullptr);
    EXPECT_NE(dialog.VersionLabel(), nullptr);
    EXPECT_NE(dialog.CloseButton(), nullptr);
}
