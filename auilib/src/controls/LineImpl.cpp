#include "LineImpl.h"

#include "FormElement.h"
#include "WidgetColors.h"

namespace AUILib {

Line::impl::impl(Line *owner)
    : BaseImplQt(owner)
{
    MakeWidget<LineQt>()->setFrameShadow(QFrame::Plain);
}

Line::impl::~impl() = default;

void Line::impl::OnFormLoaded(const FormElement &element)
{
    auto *frame = WidgetAs<QFrame>();
    if (!frame)
        return;
    // Other values leave the shape alone.
    const QString orientation = element.EnumProperty("orientation");
    if (orientation == QLatin1String("Qt::Vertical"))
        frame->setFrameShape(QFrame::VLine);
    else if (orientation == QLatin1String("Qt::Horizontal"))
        frame->setFrameShape(QFrame::HLine);
}

QWidget *Line::impl::GetWndPtr() const
{
    return WidgetAs<QFrame>();
}

void Line::impl::SetLineColor(unsigned int rgb)
{
    SetPaletteColor(WidgetAs<QFrame>(), QPalette::WindowText, RGBColor(rgb));
}

} // namespace AUILib
