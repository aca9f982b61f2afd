#include "ChildDialogImpl.h"

#include <QColor>
#include <QPalette>

namespace AUILib {

ChildDialog::impl::impl(ChildDialog *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ChildDialogQt>();
}

ChildDialog::impl::~impl() = default;

void ChildDialog::impl::SetBackgroundColor(int colour)
{
    ChildDialogQt *page = WidgetAs<ChildDialogQt>();
    if (!page)
        return;
    m_backgroundColor = colour;
    QPalette palette = page->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(static_cast<QRgb>(colour))));
    page->setAutoFillBackground(true);
    page->setPalette(palette);
}

} // namespace AUILib
