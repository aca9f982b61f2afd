#include "ChildDialogImpl.h"

#include <QColor>
#include <QPalette>

namespace AUILib {

ChildDialog::impl::impl()
    : m_widget(new ChildDialogQt)
{
}

ChildDialog::impl::~impl() = default;

QWidget *ChildDialog::impl::GetWidget() { return m_widget.data(); }

void ChildDialog::impl::SetBackgroundColor(int colour)
{
    if (!m_widget)
        return;
    m_backgroundColor = colour;
    QPalette palette = m_widget->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(static_cast<QRgb>(colour))));
    m_widget->setAutoFillBackground(true);
    m_widget->setPalette(palette);
}

} // namespace AUILib
