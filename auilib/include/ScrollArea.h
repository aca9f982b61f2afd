#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>

class QWidget;

namespace AUILib {

// A scroll area around one page. Its widget is made without a parent; Create places it.
class ScrollArea : public BaseGUIObject
{
public:
    ScrollArea();
    ~ScrollArea() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
