#include "Event.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>
#include <QRect>

#include <gtest/gtest.h>

using AUILib::Event;
using AUILib::KeyEvent;
using AUILib::SysKeyToAUIKey;

TEST(SysKeyToAUIKey, MapsTheKeyTable)
{
    const std::pair<int, int> cases[] = {
        {Qt::Key_Escape, 17},     {Qt::Key_Tab, 2},          {Qt::Key_Backspace, 1},   {Qt::Key_Return, 4},
        {Qt::Key_Enter, 4},       {Qt::Key_Insert, 35},      {Qt::Key_Delete, 36},     {Qt::Key_Pause, 8},
        {Qt::Key_Print, 34},      {Qt::Key_Clear, 3},        {Qt::Key_Home, 26},       {Qt::Key_End, 25},
        {Qt::Key_Left, 27},       {Qt::Key_Up, 28},          {Qt::Key_Right, 29},      {Qt::Key_Down, 30},
        {Qt::Key_PageUp, 23},     {Qt::Key_PageDown, 24},    {Qt::Key_Shift, 5},       {Qt::Key_Control, 6},
        {Qt::Key_Meta, 74},       {Qt::Key_Alt, 7},          {Qt::Key_CapsLock, 9},    {Qt::Key_NumLock, 117},
        {Qt::Key_ScrollLock, 118}, {Qt::Key_F1, 93},         {Qt::Key_F10, 102},       {Qt::Key_F24, 116},
        {Qt::Key_Space, 22},      {Qt::Key_Asterisk, 87},    {Qt::Key_Plus, 88},       {Qt::Key_Minus, 90},
        {Qt::Key_Slash, 92},      {Qt::Key_Menu, 75},        {Qt::Key_Help, 37},       {Qt::Key_Back, 127},
        {Qt::Key_Forward, 128},   {Qt::Key_Stop, 130},       {Qt::Key_Refresh, 129},   {Qt::Key_VolumeDown, 135},
        {Qt::Key_VolumeMute, 134}, {Qt::Key_VolumeUp, 136},  {Qt::Key_MediaPlay, 140}, {Qt::Key_MediaStop, 139},
        {Qt::Key_MediaPrevious, 138}, {Qt::Key_MediaNext, 137}, {Qt::Key_HomePage, 133}, {Qt::Key_Favorites, 132},
        {Qt::Key_Search, 131},    {Qt::Key_LaunchMail, 141}, {Qt::Key_LaunchMedia, 142}, {Qt::Key_Launch0, 143},
        {Qt::Key_Launch1, 144},   {Qt::Key_Kanji, 15},       {Qt::Key_Touroku, 120},   {Qt::Key_Massyo, 119},
        {Qt::Key_Kana_Lock, 10},  {Qt::Key_Mode_switch, 21}, {Qt::Key_Select, 31},     {Qt::Key_Printer, 32},
        {Qt::Key_Execute, 33},    {Qt::Key_Sleep, 76},       {Qt::Key_0, 77},          {Qt::Key_9, 86},
        {Qt::Key_A, 48},          {Qt::Key_Z, 73},
        // Unknown keys
        {Qt::Key_F25, 0},         {Qt::Key_Backtab, 0},      {Qt::Key_SysReq, 0},      {Qt::Key_Super_L, 0},
        {Qt::Key_Cancel, 0},      {Qt::Key_Exclam, 0},       {Qt::Key_BracketLeft, 0}, {0x5b, 0},
        {0x61, 0},                {0x01000002, 0},           {0, 0},                   {-1, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SysKeyToAUIKey(c.first), c.second) << std::hex << c.first;
}

TEST(SysKeyToAUIKey, CommaAndPeriodFollowTheInputMethodsDecimalPoint)
{
    // The platform decides the input locale; whichever it is, the separator key
    // becomes the decimal key and the other keeps its own code.
    const bool commaDecimal = QGuiApplication::inputMethod()->locale().decimalPoint() == QLatin1Char(',');
    EXPECT_EQ(SysKeyToAUIKey(Qt::Key_Comma), commaDecimal ? 91 : 147);
    EXPECT_EQ(SysKeyToAUIKey(Qt::Key_Period), commaDecimal ? 149 : 91);
}

TEST(KeyEvent, SpecialKeysLoseTheirTextAndBackspaceIsAlwaysU0008)
{
    struct Case
    {
        int qtKey;
        std::wstring text;
        std::wstring expected;
        bool special;
    };
    const Case cases[] = {
        {Qt::Key_Tab, L"\t", L"", true},
        {Qt::Key_Return, L"\r", L"", true},
        {Qt::Key_Escape, L"\x1b", L"", true},
        {Qt::Key_Left, L"", L"", true},
        {Qt::Key_F1, L"x", L"", true},
        {Qt::Key_F10, L"f10", L"f10", false},
        {Qt::Key_F11, L"y", L"", true},
        {Qt::Key_Backspace, L"", L"\b", false},
        {Qt::Key_Backspace, L"zz", L"\b", false},
        {Qt::Key_A, L"a", L"a", false},
        {Qt::Key_Pause, L"p", L"p", false},
    };
    for (const Case &c : cases) {
        const KeyEvent key(Event::KeyPress, SysKeyToAUIKey(c.qtKey), Event::NoModifier, c.text, c.qtKey);
        EXPECT_EQ(key.GetText(), c.expected) << std::hex << c.qtKey;
        EXPECT_EQ(key.IsSpecialKey(), c.special) << std::hex << c.qtKey;
        EXPECT_EQ(key.GetNativeKey(), c.qtKey);
    }
    // Codes no Qt key produces are still special.
    EXPECT_TRUE(KeyEvent(Event::KeyPress, static_cast<Event::Key>(125), Event::NoModifier, L"", 0).IsSpecialKey());
    EXPECT_TRUE(KeyEvent(Event::KeyPress, static_cast<Event::Key>(126), Event::NoModifier, L"", 0).IsSpecialKey());
}

TEST(MovingEvent, ReadsAndWritesTheSendersRectangle)
{
    QRect rect(10, 20, 30, 40);
    const AUILib::MovingEvent moving(&rect);
    const AUILib::Rect read = moving.GetRect();
    EXPECT_EQ(read.left, 10);
    EXPECT_EQ(read.top, 20);
    EXPECT_EQ(read.right, 39);
    EXPECT_EQ(read.bottom, 59);
    moving.SetRect(AUILib::Rect{1, 2, 100, 50});
    EXPECT_EQ(rect, QRect(QPoint(1, 2), QPoint(100, 50)));
    EXPECT_EQ(moving.GetType(), Event::Moving);
}
