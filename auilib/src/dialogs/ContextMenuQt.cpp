#include "ContextMenuQt.h"

#include <QCursor>
#include <QToolTip>
#include <QVariant>

namespace AUILib {

namespace {

bool isWrappingWidth(int width)
{
    return width >= ContextMenuQt::kNarrowestToolTip && width <= ContextMenuQt::kWidestToolTip;
}

} // namespace

ContextMenuQt::ContextMenuQt(QWidget *parent)
    : QMenu(parent)
{
    setSeparatorsCollapsible(true);
    setAttribute(Qt::WA_MouseTracking);
    connect(this, &QMenu::hovered, this, &ContextMenuQt::onActionHovered);
}

void ContextMenuQt::SetItemToolTip(int id, const std::wstring &text)
{
    if (!text.empty())
        m_toolTips[id] = text;
}

void ContextMenuQt::SetToolTipMaxWidth(int width)
{
    if (isWrappingWidth(width))
        m_toolTipMaxWidth = width;
}

QString ContextMenuQt::ToolTipFor(const QAction *action) const
{
    if (!action)
        return QString();
    const QVariant data = action->data();
    if (data.type() != QVariant::Int)
        return QString();
    const auto found = m_toolTips.find(data.toInt());
    if (found == m_toolTips.end())
        return QString();
    const QString text = QString::fromStdWString(found->second);
    if (!isWrappingWidth(m_toolTipMaxWidth))
        return text;
    return QStringLiteral("<div style='white-space:pre-wrap; max-width:%1px;'>%2</div>")
        .arg(QString::number(m_toolTipMaxWidth), text);
}

void ContextMenuQt::onActionHovered(QAction *action)
{
    // An empty text hides a tip left over from the previous entry.
    QToolTip::showText(QCursor::pos(), ToolTipFor(action));
}

} // namespace AUILib
