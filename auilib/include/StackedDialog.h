#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>

class QWidget;

namespace AUILib {

class ChildDialog;

// A stack of pages, one shown at a time. Its widget is made without a parent; Create places it.
class StackedDialog : public BaseGUIObject
{
public:
    StackedDialog();
    ~StackedDialog() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Qt ignores an index it does not have.
    virtual void SetCurrentIndex(int index);
    // 0 once the widget is gone.
    virtual int GetCurrentIndex();
    // Null for an index it does not have; throws AgnosticUIException once the widget is gone.
    virtual QWidget *GetPage(int index);

    // The index the page got; -1 for a null page, or for the stack's own
    // widget or one that holds it (nothing is added); 0 once the widget is gone.
    int InsertChildDialog(int index, QWidget *page);
    // Pages come from the form or InsertChildDialog: this one adds none.
    void AddChildDialog(ChildDialog *dialog);
    // The page alone, or with every widget below it; an index it does not
    // have is ignored. Throws AgnosticUIException once the widget is gone.
    void EnablePage(int index, bool enable, bool withChildren);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
