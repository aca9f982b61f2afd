#include "OwnerRef.h"

#include "TestControl.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <memory>

TEST(OwnerRef, ReadsNullOnceTheControlIsGone)
{
    QLabel widget;
    auto control = std::make_unique<TestControl>(&widget);
    const AUILib::OwnerRef<TestControl> ref(control.get());
    const AUILib::OwnerRef<TestControl> copy = ref;
    EXPECT_EQ(ref.get(), control.get());
    EXPECT_TRUE(copy);
    control.reset();
    EXPECT_EQ(ref.get(), nullptr);
    EXPECT_FALSE(copy);
    EXPECT_EQ(AUILib::OwnerRef<TestControl>().get(), nullptr);
    EXPECT_EQ(AUILib::OwnerRef<TestControl>(nullptr).get(), nullptr);
}
