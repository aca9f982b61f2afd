#pragma once

#include "BaseImplQt.h"
#include "Label.h"
#include "LabelQt.h"

#include <QPointer>

#include <string>

namespace AUILib {

// Watches the label it makes; the widget belongs to its Qt parent.
class Label::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

    // Stores the text, the source of every later layout, and shows it. Does
    // nothing to the widget once it is gone.
    void SetText(const std::wstring &text);

private:
    std::wstring m_text;
    QPointer<LabelQt> m_widget;
};

} // namespace AUILib
