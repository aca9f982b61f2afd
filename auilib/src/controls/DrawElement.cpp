#include "DrawElement.h"

#include "DrawElementImpl.h"

#include <QColor>
#include <QImage>

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

QImage *DrawElement::GetImage()
{
    DrawElementQt *surface = m_impl->Surface();
    return surface ? surface->GetImage() : nullptr;
}

void DrawElement::ResetImage()
{
    if (DrawElementQt *surface = m_impl->Surface())
        surface->ResetImage();
}

void DrawElement::DrawImage(const QImage *image, int x, int y)
{
    DrawElementQt *surface = m_impl->Surface();
    if (surface && image && !image->isNull())
        surface->DrawImage(*image, x, y);
}

void DrawElement::SetBorder(bool border)
{
    if (DrawElementQt *surface = m_impl->Surface())
        surface->SetBorder(border);
}

bool DrawElement::IsSetBorder()
{
    DrawElementQt *surface = m_impl->Surface();
    return surface && surface->IsSetBorder();
}

void DrawElement::SetLineColor(RGBColor color)
{
    if (DrawElementQt *surface = m_impl->Surface())
        surface->SetLineColor(QColor(QRgb(color)));
}

RGBColor DrawElement::GetLineColor()
{
    DrawElementQt *surface = m_impl->Surface();
    return surface ? RGBColor(surface->LineColor().rgb()) : 0;
}

void DrawElement::UpdateLinesColor(RGBColor color)
{
    if (DrawElementQt *surface = m_impl->Surface())
        surface->UpdateLinesColor(QColor(QRgb(color)));
}

} // namespace AUILib
