#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>

class QWidget;

namespace AUILib {

// A horizontal or vertical separator line. Its widget is made without a parent; Create places it.
class Line : public BaseGUIObject
{
public:
    Line();
    ~Line() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Null once the widget is gone.
    QWidget *GetWndPtr() const;
    // 0xRRGGBB, in every state of the line (disabled too); the alpha byte is ignored.
    void SetLineColor(unsigned int rgb);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
