#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A group box. Its widget is made without a parent; Create places it.
class GroupBox : public BaseGUIObject
{
public:
    GroupBox();
    ~GroupBox() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // The title, every character kept (embedded NULs included).
    void SetText(const std::wstring &text);
    // Empty once the widget is gone.
    std::wstring GetText() const;
    // Accepted for callers written against other platforms; changes nothing.
    void SetColors(unsigned long text, unsigned long background);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
