#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <list>
#include <memory>

class QWidget;

namespace AUILib {

// A splitter between the views a form puts in it. Its widget is made without a
// parent; Create places it. It keeps no list of views of its own.
class Splitter : public BaseGUIObject
{
public:
    Splitter();
    ~Splitter() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Whether the views follow the handle while it is dragged; false once the widget is gone.
    bool DynamicResizing() const;
    void SetDynamicResizing(bool dynamic);
    // The n-th size is the n-th view's; Qt scales them to the space there is.
    void SetSizes(std::list<int> sizes);
    void SetHandleWidth(int width);
    // Views come from the form: these two only keep the interface.
    void AddView(BaseGUIObject *view);
    std::list<BaseGUIObject *> GetViews() const;

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
