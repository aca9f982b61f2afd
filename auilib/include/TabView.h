#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// Pages with tabs. Its widget is made without a parent; Create places it.
class TabView : public BaseGUIObject
{
public:
    TabView();
    ~TabView() override;

    // Fired with the new current index, for the program's changes too.
    EventSignal<void(int)> OnCurrentChanged;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Qt ignores an index it does not have.
    virtual void SetCurrentIndex(int index);
    // The text up to its first NUL.
    virtual void SetTabText(int index, const std::wstring &text);
    // Up to the first NUL; empty once the widget is gone.
    virtual std::wstring GetTabText(int index);
    // The page's contents alone, or with every widget below it; the tab stays
    // selectable. An index it does not have is ignored. Throws
    // AgnosticUIException once the widget is gone.
    virtual void EnablePage(int index, bool enable, bool withChildren);

    // -1 without tabs, and once the widget is gone.
    int GetCurrentIndex() const;
    // 0 once the widget is gone.
    int GetItemCount() const;
    // Both wrap around; with no current tab they select the first and the last.
    void ActivateNextTab();
    void ActivatePreviousTab();

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
