#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

class HyperLinkElementImpl;

// A one-link label: its text shown as a link to its URL, in the link colour,
// the visited colour once pressed, and the hover colour under the mouse. Its
// widget is made without a parent; Create places it. What is shown follows a
// new text or URL at the next show, enter, leave or colour change.
// Once the widget is gone the operations that reach it throw
// AgnosticUIException ("Control is not valid."), after storing their values.
class HyperLinkElement : public BaseGUIObject
{
public:
    HyperLinkElement();
    ~HyperLinkElement() override;

    // Activated, by the mouse or its mnemonic, while the element does not open
    // its URL itself.
    EventSignal<void()> OnLinkActivated;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    void SetURL(const std::wstring &url);
    // The text is shown as written; a mnemonic in it activates the link.
    void SetText(const std::wstring &text);
    std::wstring GetURL() const;
    std::wstring GetText() const;
    // True (the start) fires OnLinkActivated on activation; false opens the
    // URL with the desktop's handler instead.
    void SetbDefaultClickProcess(bool fireEvent);
    void SetColors(RGBColor link, RGBColor visited, RGBColor hover);
    RGBColor GetLinkColor() const;
    RGBColor GetVisitedColor() const;
    RGBColor GetHoverColor() const;
    void SetVisited(bool visited);
    bool GetVisited() const;
    // Without underline the element shows coloured text that no click activates.
    void SetUnderline(bool underline) const;
    bool GetUnderline() const;

private:
    ImplHolder<HyperLinkElementImpl> m_impl;
};

} // namespace AUILib
