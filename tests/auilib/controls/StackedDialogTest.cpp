#include "StackedDialog.h"

#include "AgnosticUIException.h"

#include <QCheckBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

// A page holding a check box.
QWidget *page(const QString &name)
{
    auto *widget = new QWidget;
    widget->setObjectName(name);
    auto *layout = new QVBoxLayout(widget);
    layout->addWidget(new QCheckBox(name));
    return widget;
}

} // namespace

TEST(StackedDialogTest, PagesAreInsertedShownAndFound)
{
    StackedDialog stack;
    EXPECT_EQ(stack.GetControlKind(), ControlKindStackedDialog);
    auto *widget = qobject_cast<QStackedWidget *>(stack.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::StackedDialogQt");
    QWidget parent;
    EXPECT_TRUE(stack.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(stack.GetParentWindow(), &parent);

    EXPECT_EQ(stack.GetCurrentIndex(), -1) << "Qt's answer without pages";
    QWidget *first = page("first");
    QWidget *second = page("second");
    QWidget *third = page("third");
    EXPECT_EQ(stack.InsertChildDialog(0, second), 0);
    EXPECT_EQ(stack.InsertChildDialog(0, first), 0);
    EXPECT_EQ(stack.InsertChildDialog(99, third), 2) << "Qt appends past the end";
    EXPECT_EQ(stack.InsertChildDialog(1, nullptr), -1);
    ASSERT_EQ(widget->count(), 3);
    stack.AddChildDialog(nullptr);
    EXPECT_EQ(widget->count(), 3);

    EXPECT_EQ(stack.GetPage(0), first);
    EXPECT_EQ(stack.GetPage(1), second);
    EXPECT_EQ(stack.GetPage(2), third);
    EXPECT_EQ(stack.GetPage(3), nullptr);
    EXPECT_EQ(stack.GetPage(-1), nullptr);
    EXPECT_EQ(first->parentWidget(), widget);

    stack.SetCurrentIndex(2);
    EXPECT_EQ(stack.GetCurrentIndex(), 2);
    EXPECT_EQ(widget->currentWidget(), third);
    stack.SetCurrentIndex(7);
    EXPECT_EQ(stack.GetCurrentIndex(), 2);
}

TEST(StackedDialogTest, PagesAreEnabledAloneOrWithTheirChildren)
{
    StackedDialog stack;
    QWidget *pages[] = {page("a"), page("b"), page("c")};
    for (QWidget *p : pages)
        stack.InsertChildDialog(-1, p);
    QCheckBox *child = pages[1]->findChild<QCheckBox *>();

    stack.EnablePage(5, false, false);
    stack.EnablePage(-1, false, true);
    for (QWidget *p : pages)
        EXPECT_TRUE(p->isEnabled());

    stack.EnablePage(1, false, true);
    EXPECT_FALSE(pages[1]->isEnabled());
    EXPECT_TRUE(child->testAttribute(Qt::WA_ForceDisabled)) << "disabled itself, not only through the page";
    stack.EnablePage(1, true, false);
    EXPECT_TRUE(pages[1]->isEnabled());
    EXPECT_FALSE(child->isEnabled()) << "the child was disabled on its own and stays so";
    stack.EnablePage(1, true, true);
    EXPECT_TRUE(child->isEnabled());
    stack.EnablePage(1, false, false);
    EXPECT_FALSE(pages[1]->isEnabled());
    EXPECT_FALSE(child->testAttribute(Qt::WA_ForceDisabled)) << "the page alone";
    EXPECT_TRUE(pages[0]->isEnabled());
    EXPECT_TRUE(pages[2]->isEnabled());
}

TEST(StackedDialogTest, AGoneWidgetAnswersZeroOrThrows)
{
    StackedDialog stack;
    QWidget *orphan = new QWidget;
    delete stack.GetPlatformHandle();
    stack.SetCurrentIndex(1);
    EXPECT_EQ(stack.GetCurrentIndex(), 0);
    EXPECT_EQ(stack.InsertChildDialog(0, orphan), 0);
    EXPECT_EQ(orphan->parentWidget(), nullptr);
    delete orphan;
    EXPECT_THROW(stack.GetPage(0), AgnosticUIException);
    EXPECT_THROW(stack.EnablePage(0, true, true), AgnosticUIException);
    EXPECT_THROW(stack.Create(nullptr), AgnosticUIException);
}
