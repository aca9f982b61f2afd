#include "BaseGUIObject.h"
#include "BaseImplQt.h"
#include "EventGate.h"
#include "ItemRef.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using AUILib::BaseImplQt;
using AUILib::EventGate;
using AUILib::RowRef;

namespace {

// A control over any widget with two events, fired from the test as a
// control's implementation fires them.
class Probe : public AUILib::BaseGUIObject
{
public:
    class impl : public BaseImplQt
    {
    public:
        impl(Probe *owner, QWidget *widget)
            : BaseImplQt(owner)
        {
            WrapWidget(widget);
        }
    };

    explicit Probe(QWidget *widget)
        : m_impl(AUILib::MakeImpl<impl>(this, widget))
    {
    }
    bool Create(QWidget *parent) override { return m_impl->SetParent(parent); }
    std::shared_ptr<AUILib::BaseImpl> GetBaseImpl() const override { return m_impl; }
    impl &Impl() const { return *m_impl; }

    AUILib::EventSignal<void(int)> OnRow;
    AUILib::EventSignal<void(std::string)> OnNote;

private:
    std::shared_ptr<impl> m_impl;
};

QStandardItemModel *rows(QObject *parent, int count)
{
    auto *model = new QStandardItemModel(parent);
    for (int row = 0; row < count; ++row)
        model->appendRow(new QStandardItem(QString::number(row)));
    return model;
}

} // namespace

TEST(EventGate, HoldsEventsUntilTheChangeIsWholeAndDeliversThemInOrder)
{
    QWidget widget;
    Probe probe(&widget);
    std::vector<std::string> seen;
    probe.OnNote.Subscribe([&](const std::string &note) { seen.push_back(note); });

    EXPECT_TRUE(probe.Impl().Fire(&Probe::OnNote, std::string("at once")));
    EXPECT_EQ(seen, std::vector<std::string>{"at once"});
    {
        EventGate::Hold outer;
        probe.Impl().Fire(&Probe::OnNote, std::string("a"));
        {
            EventGate::Hold inner;
            probe.Impl().Fire(&Probe::OnNote, std::string("b"));
        }
        EXPECT_EQ(seen.size(), 1u) << "an inner hold that ends inside another delivers nothing";
        EXPECT_EQ(EventGate::Waiting(), 2);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"at once", "a", "b"}));
    EXPECT_EQ(EventGate::Waiting(), 0);
}

// An event names its row by identity: at delivery it carries the row's
// number then, and a row removed meanwhile is reported to nobody.
TEST(EventGate, AHeldRowIsReportedUnderItsCurrentNumberOrNotAtAll)
{
    QWidget widget;
    Probe probe(&widget);
    QStandardItemModel *model = rows(&widget, 5);
    std::vector<int> seen;
    probe.OnRow.Subscribe([&](int row) { seen.push_back(row); });
    {
        EventGate::Hold hold;
        probe.Impl().Fire(&Probe::OnRow, RowRef(model->index(3, 0)));
        probe.Impl().Fire(&Probe::OnRow, RowRef(model->index(1, 0)));
        probe.Impl().Fire(&Probe::OnRow, RowRef(model->index(4, 0)));
        model->removeRow(1);
        model->insertRow(0, new QStandardItem("new"));
        model->insertRow(0, new QStandardItem("newer"));
    }
    EXPECT_EQ(seen, (std::vector<int>{4, 5}));
}

// A model's own change holds from its about-to signal to its done signal:
// what a slot of the about-to signal raises waits for the rows to be gone.
TEST(EventGate, AWatchedModelHoldsEventsDuringItsChanges)
{
    QWidget widget;
    Probe probe(&widget);
    QStandardItemModel *model = rows(&widget, 4);
    EventGate::Watch(model, &widget);
    std::vector<int> seen;
    int rowsWhenDelivered = -1;
    probe.OnRow.Subscribe([&](int row) {
        seen.push_back(row);
        rowsWhenDelivered = model->rowCount();
        // What a handler may do: change the rows again.
        model->removeRow(0);
    });
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, &widget, [&](const QModelIndex &, int first) {
        if (first == 2)
            probe.Impl().Fire(&Probe::OnRow, RowRef(model->index(3, 0)));
    });
    model->removeRow(2);
    EXPECT_EQ(seen, std::vector<int>{2}) << "row 3 became row 2 once row 2 was gone";
    EXPECT_EQ(rowsWhenDelivered, 3);
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_FALSE(EventGate::Holding());
}

// Events raised while a delivery runs come out before the call that raised
// them returns, ahead of older ones still waiting: a caller sees the events
// of its own call.
TEST(EventGate, ACallFromAHandlerDeliversItsOwnEventsBeforeItReturns)
{
    QWidget widget;
    Probe probe(&widget);
    std::vector<std::string> seen;
    probe.OnNote.Subscribe([&](const std::string &note) {
        seen.push_back(note);
        if (note == "first") {
            {
                EventGate::Hold nested;
                probe.Impl().Fire(&Probe::OnNote, std::string("nested"));
            }
            seen.push_back("nested call returned");
        }
    });
    {
        EventGate::Hold hold;
        probe.Impl().Fire(&Probe::OnNote, std::string("first"));
        probe.Impl().Fire(&Probe::OnNote, std::string("second"));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "nested", "nested call returned", "second"}));
}

// An event nobody has subscribed to when it is raised is not kept: a fill
// that raises one for every row costs nothing while nobody listens.
TEST(EventGate, AnEventWithoutSubscribersIsNotKept)
{
    QWidget widget;
    Probe probe(&widget);
    QStandardItemModel *model = rows(&widget, 2);
    std::vector<int> seen;
    {
        EventGate::Hold hold;
        EXPECT_TRUE(probe.Impl().Fire(&Probe::OnRow, RowRef(model->index(1, 0))));
        EXPECT_EQ(EventGate::Waiting(), 0);
        probe.OnRow.Subscribe([&](int row) { seen.push_back(row); });
        probe.Impl().Fire(&Probe::OnRow, RowRef(model->index(0, 0)));
        EXPECT_EQ(EventGate::Waiting(), 1);
    }
    EXPECT_EQ(seen, std::vector<int>{0});
}

TEST(EventGate, AControlReleasedWhileItsEventWaitsHearsNothing)
{
    QWidget widget;
    auto probe = std::make_unique<Probe>(&widget);
    int calls = 0;
    probe->OnNote.Subscribe([&](const std::string &) { ++calls; });
    {
        EventGate::Hold hold;
        probe->Impl().Fire(&Probe::OnNote, std::string("waits"));
        probe.reset();
    }
    EXPECT_EQ(calls, 0);
}

// Deleting a window with a focused control in it moves the focus while Qt
// takes the window apart; the control's events reach nobody then.
TEST(EventGate, AControlInAWindowBeingDestroyedRaisesNothing)
{
    class FocusProbe : public QLineEdit
    {
    public:
        Probe *probe = nullptr;
        bool *lostWhileGoing = nullptr;

    protected:
        void focusOutEvent(QFocusEvent *event) override
        {
            *lostWhileGoing = probe->Impl().WindowBeingDestroyed();
            probe->Impl().Fire(&Probe::OnNote, std::string("focus lost"));
            QLineEdit::focusOutEvent(event);
        }
    };
    auto *window = new QWidget;
    auto *layout = new QVBoxLayout(window);
    auto *edit = new FocusProbe;
    layout->addWidget(edit);
    layout->addWidget(new QLineEdit);
    Probe probe(edit);
    bool lostWhileGoing = false;
    edit->probe = &probe;
    edit->lostWhileGoing = &lostWhileGoing;
    int calls = 0;
    probe.OnNote.Subscribe([&](const std::string &) { ++calls; });
    window->show();
    window->activateWindow();
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }, 5000));
    EXPECT_FALSE(probe.Impl().WindowBeingDestroyed());

    delete window;
    EXPECT_TRUE(lostWhileGoing) << "the focus left the edit while its window went";
    EXPECT_EQ(calls, 0);
}

namespace {

// Sends `inner` to `target` from inside the delivery of its own event, as Qt
// sends a child's geometry event from inside a layout pass.
class PassStarter : public QObject
{
public:
    QObject *target = nullptr;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        QEvent inner(QEvent::Resize);
        QCoreApplication::sendEvent(target, &inner);
        seenInside = EventGate::Waiting();
        return true;
    }

public:
    int seenInside = -1;
};

// What the event bridge does with an event: tells the gate, then fires.
class Arrival : public QObject
{
public:
    std::function<void()> fire;

protected:
    bool event(QEvent *event) override
    {
        EventGate::Arrives(event->type() == QEvent::Resize);
        fire();
        return true;
    }
};

} // namespace

// A geometry event Qt sends from inside another event holds every event until
// control is back in the event loop; one sent from outside any event is
// delivered at once. Code outside every event, or an event delivered outside
// any other, finds the pass over and gets what waited first.
TEST(EventGate, AnEventOfAPassInsideAnotherWaitsForTheEventLoop)
{
    QWidget widget;
    Probe probe(&widget);
    std::vector<std::string> seen;
    probe.OnNote.Subscribe([&](const std::string &note) { seen.push_back(note); });
    Arrival arrival;
    arrival.fire = [&] { probe.Impl().Fire(&Probe::OnNote, std::string("resized")); };
    PassStarter pass;
    pass.target = &arrival;
    QEvent start(QEvent::User);

    QEvent direct(QEvent::Resize);
    QCoreApplication::sendEvent(&arrival, &direct);
    EXPECT_EQ(seen, std::vector<std::string>{"resized"}) << "a direct call's event is delivered at once";

    seen.clear();
    int waitingAfterThePass = -1;
    QTimer::singleShot(0, [&] {
        QCoreApplication::sendEvent(&pass, &start);
        probe.Impl().Fire(&Probe::OnNote, std::string("later in the same event"));
        waitingAfterThePass = EventGate::Waiting();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() == 2; }, 5000));
    EXPECT_EQ(pass.seenInside, 1);
    EXPECT_EQ(waitingAfterThePass, 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"resized", "later in the same event"}));
    EXPECT_FALSE(EventGate::Holding());

    for (const bool outerEvent : {false, true}) {
        SCOPED_TRACE(outerEvent ? "an event outside any other" : "code outside every event");
        seen.clear();
        QCoreApplication::sendEvent(&pass, &start);
        EXPECT_EQ(EventGate::Waiting(), 1);
        if (outerEvent) {
            QEvent outer(QEvent::Move);
            QCoreApplication::sendEvent(&arrival, &outer);
        } else {
            probe.Impl().Fire(&Probe::OnNote, std::string("resized"));
        }
        EXPECT_EQ(seen, (std::vector<std::string>{"resized", "resized"}));
        EXPECT_EQ(EventGate::Waiting(), 0);
    }
}
