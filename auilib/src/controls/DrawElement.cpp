#include "DrawElement.h"

#include "DrawElementImpl.h"

namespace AUILib {

DrawElement::DrawElement()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindDrawElement);
}

DrawElement::~DrawElement() = default;

bool DrawElement::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> DrawElement::GetBaseImpl() const { return m_impl; }

QImage *DrawElement::GetImage() { return m_impl->GetImage(); }
void DrawElement::ResetImage() { m_impl->ResetImage(); }
void DrawElement::DrawImage(const QImage *image, int x, int y) { m_impl->DrawImage(image, x, y); }
void DrawElement::SetBorder(bool border) { m_impl->SetBorder(border); }
bool DrawElement::IsSetBorder() { return m_impl->IsSetBorder(); }
void DrawElement::SetLineColor(RGBColor color) { m_impl->SetLineColor(color); }
RGBColor DrawElement::GetLineColor() { return m_impl->GetLineColor(); }
void DrawElement::UpdateLinesColor(RGBColor color) { m_impl->UpdateLinesColor(color); }

} // namespace AUILib
