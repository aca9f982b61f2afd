#include "AgnosticUIException.h"

#include <gtest/gtest.h>

using AUILib::AgnosticUIException;

TEST(AgnosticUIException, WhatJoinsFileLineAndMessage)
{
    struct Case
    {
        const char *file;
        int line;
        const char *message;
        const char *expected;
    };
    const Case cases[] = {
        {"", 0, "Control is not valid.", "Control is not valid."},
        {nullptr, 12, "no file", "no file"},
        {"../src/Dialog", 70, "Create from ui fails", "../src/Dialog: 70 \"Create from ui fails"},
        {"f.cpp", -3, "m", "f.cpp: -3 \"m"},
        {"f.cpp", 1, nullptr, "f.cpp: 1 \""},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(AgnosticUIException(c.file, c.line, c.message).what(), c.expected) << c.expected;
}

TEST(AgnosticUIException, ControlNotValidIsCaughtAsStdException)
{
    try {
        AUILib::ThrowControlNotValid();
        FAIL();
    } catch (const std::exception &error) {
        EXPECT_STREQ(error.what(), "Control is not valid.");
    }
}
