#include "HyperLinkElement.h"

#include "HyperLinkElementImpl.h"

namespace AUILib {

HyperLinkElement::HyperLinkElement()
    : m_impl(MakeImpl<HyperLinkElementImpl>(this))
{
    SetControlKind(ControlKindHyperLinkElement);
}

HyperLinkElement::~HyperLinkElement() = default;

// Places the widget only: the parent is not stored in the base object.
bool HyperLinkElement::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> HyperLinkElement::GetBaseImpl() const { return m_impl; }

void HyperLinkElement::SetURL(const std::wstring &url) { m_impl->SetURL(url); }

void HyperLinkElement::SetText(const std::wstring &text) { m_impl->SetText(text); }

std::wstring HyperLinkElement::GetURL() const { return m_impl->GetURL(); }

std::wstring HyperLinkElement::GetText() const { return m_impl->GetText(); }

void HyperLinkElement::SetbDefaultClickProcess(bool fireEvent) { m_impl->SetbDefaultClickProcess(fireEvent); }

void HyperLinkElement::SetColors(RGBColor link, RGBColor visited, RGBColor hover)
{
    m_impl->SetColors(link, visited, hover);
}

RGBColor HyperLinkElement::GetLinkColor() const { return m_impl->GetLinkColor(); }

RGBColor HyperLinkElement::GetVisitedColor() const { return m_impl->GetVisitedColor(); }

RGBColor HyperLinkElement::GetHoverColor() const { return m_impl->GetHoverColor(); }

void HyperLinkElement::SetVisited(bool visited) { m_impl->SetVisited(visited); }

bool HyperLinkElement::GetVisited() const { return m_impl->GetVisited(); }

void HyperLinkElement::SetUnderline(bool underline) const { m_impl->SetUnderline(underline); }

bool HyperLinkElement::GetUnderline() const { return m_impl->GetUnderline(); }

} // namespace AUILib
