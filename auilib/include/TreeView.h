#pragma once

#include "BaseGUIObject.h"

#include <memory>

class QWidget;

namespace AUILib {

// A tree of items. Its widget is made without a parent; Create places it.
class TreeView : public BaseGUIObject
{
public:
    TreeView();
    ~TreeView() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
