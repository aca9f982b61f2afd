#include "LineImpl.h"

#include "FormElement.h"

namespace AUILib {

Line::impl::impl(Line *owner)
    : BaseImplQt(owner)
{
    MakeWidget<LineQt>();
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

} // namespace AUILib
