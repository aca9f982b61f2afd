#pragma once

#include "BaseGUIObject.h"

#include <memory>

class QWidget;

namespace AUILib {

// A stack of pages, one shown at a time. Its widget is made without a parent; Create places it.
class StackedDialog : public BaseGUIObject
{
public:
    StackedDialog();
    ~StackedDialog() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
