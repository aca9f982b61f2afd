#pragma once

#include "BaseGUIObject.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A static text or picture. Its widget is made without a parent; Create places it.
class Label : public BaseGUIObject
{
public:
    Label();
    ~Label() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Replaces the text; the flag has no effect.
    void SetText(const std::wstring &text, bool unused);

    class impl;

private:
    std::shared_ptr<impl> m_impl;
};

} // namespace AUILib
