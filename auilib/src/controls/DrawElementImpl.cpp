#include "DrawElementImpl.h"

#include <QColor>
#include <QImage>

namespace AUILib {

DrawElement::impl::impl(DrawElement *owner)
    : BaseImplQt(owner)
{
    MakeWidget<DrawElementQt>(owner);
}

DrawElement::impl::~impl() = default;

QImage *DrawElement::impl::GetImage() const
{
    const auto *surface = WidgetAs<DrawElementQt>();
    return surface ? surface->GetImage() : nullptr;
}

void DrawElement::impl::ResetImage()
{
    if (auto *surface = WidgetAs<DrawElementQt>())
        surface->ResetImage();
}

void DrawElement::impl::DrawImage(const QImage *image, int x, int y)
{
    auto *surface = WidgetAs<DrawElementQt>();
    if (surface && image && !image->isNull())
        surface->DrawImage(*image, x, y);
}

void DrawElement::impl::SetBorder(bool border)
{
    if (auto *surface = WidgetAs<DrawElementQt>())
        surface->SetBorder(border);
}

bool DrawElement::impl::IsSetBorder() const
{
    const auto *surface = WidgetAs<DrawElementQt>();
    return surface && surface->IsSetBorder();
}

void DrawElement::impl::SetLineColor(RGBColor color)
{
    if (auto *surface = WidgetAs<DrawElementQt>())
        surface->SetLineColor(QColor(QRgb(color)));
}

RGBColor DrawElement::impl::GetLineColor() const
{
    const auto *surface = WidgetAs<DrawElementQt>();
    return surface ? RGBColor(surface->LineColor().rgb()) : 0;
}

void DrawElement::impl::UpdateLinesColor(RGBColor color)
{
    if (auto *surface = WidgetAs<DrawElementQt>())
        surface->UpdateLinesColor(QColor(QRgb(color)));
}

} // namespace AUILib
