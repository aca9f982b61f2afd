#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>

class QWidget;

namespace AUILib {

// A plain page inside a dialog that groups other controls; forms make one for
// every QWidget element. Its widget is made without a parent; Create places it.
class ChildDialog : public BaseGUIObject
{
public:
    ChildDialog();
    ~ChildDialog() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;
    virtual void SetVisible(bool visible);

    // 0xAARRGGBB; the page is painted opaque whatever the alpha byte says. Does
    // nothing once the page is gone.
    void SetBackgroundColor(int colour);
    // The last colour given, alpha byte included; -1 when none was.
    int BackgroundColor() const;

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
