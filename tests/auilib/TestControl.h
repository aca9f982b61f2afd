#pragma once

#include "BaseGUIObject.h"
#include "BaseImplQt.h"
#include "EventHelper.h"
#include "EventHelperHost.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

// A control over any widget, standing in for the toolkit's real controls. As
// the real ones do, a button declines mouse events while disabled, and edits
// and tree views show context menus of their own.
class TestControl : public AUILib::BaseGUIObject
{
public:
    class impl : public AUILib::BaseImplQt
    {
    public:
        impl(TestControl *owner, QWidget *widget, AUILib::ControlKind kind)
            : BaseImplQt(owner)
            , m_kind(kind)
        {
            WrapWidget(widget);
        }
        bool TakesMouseEventsWhenDisabled() const override { return m_kind != AUILib::ControlKindButton; }
        bool HasOwnContextMenu() const override
        {
            return m_kind == AUILib::ControlKindEdit || m_kind == AUILib::ControlKindTreeView;
        }

    private:
        AUILib::ControlKind m_kind;
    };

    explicit TestControl(QWidget *widget, AUILib::ControlKind kind = AUILib::ControlKindOther)
        : m_impl(AUILib::MakeImpl<impl>(this, widget, kind))
    {
        SetControlKind(kind);
    }

    bool Create(QWidget *parent) override
    {
        SetParentWindow(parent);
        return m_impl->SetParent(parent);
    }
    std::shared_ptr<AUILib::BaseImpl> GetBaseImpl() const override { return m_impl; }
    impl &Impl() { return *m_impl; }

private:
    std::shared_ptr<impl> m_impl;
};

// A dialog as far as the event bridge sees one: elements by object name, a
// screen fit it counts and a close veto it can be told to give.
class FakeDialog : public TestControl, public AUILib::EventHelperHost
{
public:
    FakeDialog()
        : TestControl(new QDialog, AUILib::ControlKindDialog)
        , m_dialog(static_cast<QDialog *>(GetPlatformWindow()))
        , m_bridge(this, this)
    {
        m_dialog->installEventFilter(&m_bridge);
    }
    ~FakeDialog() override { delete m_dialog.data(); }

    QDialog *dialog() const { return m_dialog.data(); }
    AUILib::EventHelper &bridge() { return m_bridge; }

    // Adds a named child widget with a control over it, watched by the bridge.
    template <class W>
    std::shared_ptr<TestControl> add(const QString &name, AUILib::ControlKind kind = AUILib::ControlKindOther)
    {
        auto *widget = new W(m_dialog.data());
        widget->setObjectName(name);
        widget->installEventFilter(&m_bridge);
        auto control = std::make_shared<TestControl>(widget, kind);
        control->SetName(name.toStdWString());
        m_elements[name.toStdWString()] = control;
        return control;
    }
    void watch(QObject *object) { object->installEventFilter(&m_bridge); }
    void remove(const std::wstring &name) { m_elements.erase(name); }

    std::shared_ptr<AUILib::BaseGUIObject> GetElementByName(const std::wstring &name) override
    {
        auto found = m_elements.find(name);
        return found == m_elements.end() ? nullptr : found->second;
    }
    void ResizeDialogAccordingScreen(AUILib::BaseGUIObject *control) override
    {
        ++resizeCalls;
        lastResized = control;
    }
    int FilterDone(int result) override { return closeVeto ? -1 : result; }

    int resizeCalls = 0;
    AUILib::BaseGUIObject *lastResized = nullptr;
    bool closeVeto = false;

private:
    QPointer<QDialog> m_dialog;
    AUILib::EventHelper m_bridge;
    std::map<std::wstring, std::shared_ptr<AUILib::BaseGUIObject>> m_elements;
};
