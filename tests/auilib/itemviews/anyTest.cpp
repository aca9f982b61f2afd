#include "any.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using AUILib::any;
using AUILib::any_cast;

TEST(Any, EmptyValuesAndTypes)
{
    const any empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.type(), typeid(void));
    EXPECT_EQ(any_cast<long>(&empty), nullptr);
    EXPECT_EQ(any_cast<long>(static_cast<const any *>(nullptr)), nullptr);

    const any number(0L);
    EXPECT_FALSE(number.empty());
    EXPECT_EQ(number.type(), typeid(long));
    EXPECT_EQ(*any_cast<long>(&number), 0L);
    EXPECT_EQ(any_cast<int>(&number), nullptr);

    // A string literal is held as its pointer.
    EXPECT_EQ(any("text").type(), typeid(const char *));
}

TEST(Any, CopiesAreDeepAndAssignmentReplacesTheValue)
{
    any original(std::wstring(L"one"));
    any copy(original);
    *any_cast<std::wstring>(&copy) = L"two";
    EXPECT_EQ(*any_cast<std::wstring>(&original), L"one");

    any target(5);
    target = original;
    EXPECT_EQ(target.type(), typeid(std::wstring));
    EXPECT_EQ(*any_cast<std::wstring>(&target), L"one");
    target = any();
    EXPECT_TRUE(target.empty());
    // Self-assignment keeps the value, empty or held (through a reference, as
    // it comes about in real code).
    const any &same = target;
    target = same;
    EXPECT_TRUE(target.empty());
    target = any(7);
    target = same;
    ASSERT_NE(any_cast<int>(&target), nullptr);
    EXPECT_EQ(*any_cast<int>(&target), 7);

    any moved(std::move(original));
    EXPECT_TRUE(original.empty()); // NOLINT(bugprone-use-after-move): the moved-from any is empty
    EXPECT_EQ(*any_cast<std::wstring>(&moved), L"one");
}

TEST(Any, HeldValuesAreDestroyedWithTheirAny)
{
    auto tracked = std::make_shared<int>(1);
    {
        any first(tracked);
        any second(first);
        EXPECT_EQ(tracked.use_count(), 3);
        second = any();
        EXPECT_EQ(tracked.use_count(), 2);
    }
    EXPECT_EQ(tracked.use_count(), 1);
}
