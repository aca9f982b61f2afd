#pragma once

#include "BaseGUIObject.h"

#include <memory>

class QWidget;

namespace AUILib {

// A list of rows and columns over a table. Its widget is made without a parent; Create places it.
class ListBox : public BaseGUIObject
{
public:
    ListBox();
    ~ListBox() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
