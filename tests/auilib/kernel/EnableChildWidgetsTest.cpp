#include "EnableChildWidgets.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(EnableChildWidgets, TheWidgetAndEveryDescendantFollow)
{
    QWidget page;
    auto *child = new QWidget(&page);
    auto *grandChild = new QWidget(child);
    grandChild->setEnabled(false);

    AUILib::EnableChildWidgets(&page, false);
    EXPECT_FALSE(page.isEnabled());
    EXPECT_FALSE(child->isEnabled());

    // A descendant disabled on its own before is enabled with the rest.
    AUILib::EnableChildWidgets(&page, true);
    EXPECT_TRUE(child->isEnabled());
    EXPECT_TRUE(grandChild->isEnabled());

    AUILib::EnableChildWidgets(nullptr, false);
    AUILib::EnableChildWidgets(nullptr, child, false);
    EXPECT_FALSE(grandChild->isEnabled());
    EXPECT_TRUE(page.isEnabled());
}
