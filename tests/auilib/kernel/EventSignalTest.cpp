#include "AUILibLogger.h"
#include "EventSignal.h"
#include "TestControl.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <thread>

using AUILib::EventSignal;

namespace {

void deliverPosted()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace

TEST(EventSignal, DirectHandlersRunInOrderWithTheArguments)
{
    EventSignal<void(int, std::wstring)> signal;
    std::vector<std::wstring> calls;
    signal.Subscribe([&](int n, std::wstring s) { calls.push_back(L"a" + std::to_wstring(n) + s); });
    const int second = signal.Subscribe([&](int n, std::wstring s) { calls.push_back(L"b" + std::to_wstring(n) + s); });
    signal.Emit(1, L"x");
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"a1x", L"b1x"}));

    EXPECT_TRUE(signal.Unsubscribe(second));
    EXPECT_FALSE(signal.Unsubscribe(second));
    calls.clear();
    signal.Emit(2, L"y");
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"a2y"}));
}

TEST(EventSignal, BlockedListFiresNothing)
{
    EventSignal<void()> signal;
    int calls = 0;
    signal.Subscribe([&] { ++calls; });
    signal.SetBlocked(true);
    signal.Emit();
    EXPECT_EQ(calls, 0);
    signal.SetBlocked(false);
    signal.Emit();
    EXPECT_EQ(calls, 1);
    EventSignal<void()> empty;
    empty.Emit();
}

TEST(EventSignal, EmptyOrThrowingHandlersDoNotStopTheOthers)
{
    AUILibLogger::GetInstance().Clear();
    EventSignal<void(int)> signal;
    std::vector<int> seen;
    signal.Subscribe(nullptr);
    signal.Subscribe([](int) { throw std::runtime_error("handler failed"); });
    signal.Subscribe([&](int n) { seen.push_back(n); });
    signal.Subscribe([](int) { throw 42; });
    signal.Subscribe([&](int n) { seen.push_back(-n); });
    signal.Emit(5);
    EXPECT_EQ(seen, (std::vector<int>{5, -5}));

    std::wostringstream log;
    AUILibLogger::GetInstance().WriteLog(log);
    EXPECT_NE(log.str().find(L"Exception: handler failed\n"), std::wstring::npos) << log.str();
    EXPECT_EQ(AUILibLogger::GetInstance().GetLogCount(), 2u);
    AUILibLogger::GetInstance().Clear();
}

TEST(EventSignal, AHandlerMayEmitAgainAndChangeTheList)
{
    EventSignal<void(int)> signal;
    std::vector<int> seen;
    int added = 0;
    signal.Subscribe([&](int depth) {
        seen.push_back(depth);
        if (depth < 2)
            signal.Emit(depth + 1);
        if (depth == 0)
            added = signal.Subscribe([&](int d) { seen.push_back(100 + d); });
    });
    signal.Emit(0);
    // The handler added during the firing joins the next firing only.
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    seen.clear();
    signal.Emit(5);
    EXPECT_EQ(seen, (std::vector<int>{5, 105}));
    EXPECT_TRUE(signal.Unsubscribe(added));
    EXPECT_EQ(signal.Count(), 1u);
}

TEST(EventSignal, BoundHandlerRunsLaterWithTheValuesOfTheFiring)
{
    QLabel widget;
    TestControl receiver(&widget);
    EventSignal<void(std::wstring)> signal;
    std::vector<std::wstring> seen;
    signal.SubscribeBound(&receiver, [&](std::wstring s) { seen.push_back(s); });
    signal.Subscribe([&](std::wstring s) { seen.push_back(L"direct " + s); });

    std::wstring value = L"first";
    signal.Emit(value);
    value = L"changed";
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"direct first"}));
    deliverPosted();
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"direct first", L"first"}));
    // Delivered once only.
    deliverPosted();
    EXPECT_EQ(seen.size(), 2u);
}

TEST(EventSignal, BoundHandlerRunsOnceForAnElementOfADialog)
{
    FakeDialog dialog;
    auto element = dialog.add<QLabel>("label");
    EventSignal<void()> signal;
    int calls = 0;
    signal.SubscribeBound(element.get(), [&] { ++calls; });
    signal.Emit();
    deliverPosted();
    EXPECT_EQ(calls, 1);
}

TEST(EventSignal, BoundHandlerOfAGoneReceiverIsSkipped)
{
    EventSignal<void(int)> signal;
    std::vector<int> seen;

    // Widget deleted before the firing: nothing is queued, later entries still run.
    auto *deadWidget = new QLabel;
    TestControl deadReceiver(deadWidget);
    signal.SubscribeBound(&deadReceiver, [&](int n) { seen.push_back(n); });
    delete deadWidget;

    // Control destroyed between the firing and the delivery.
    QLabel widget;
    auto late = std::make_unique<TestControl>(&widget);
    signal.SubscribeBound(late.get(), [&](int n) { seen.push_back(100 + n); });

    signal.Subscribe([&](int n) { seen.push_back(-n); });
    signal.Emit(1);
    late.reset();
    deliverPosted();
    EXPECT_EQ(seen, (std::vector<int>{-1}));
}

TEST(EventSignal, BoundHandlerFiredFromAnotherThreadRunsOnTheGuiThread)
{
    QLabel widget;
    TestControl receiver(&widget);
    EventSignal<void(int)> signal;
    QThread *ranOn = nullptr;
    int value = 0;
    signal.SubscribeBound(&receiver, [&](int n) {
        ranOn = QThread::currentThread();
        value = n;
    });
    std::thread worker([&] { signal.Emit(7); });
    worker.join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return value == 7; }, 5000));
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
}
