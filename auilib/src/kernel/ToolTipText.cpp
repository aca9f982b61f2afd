#include "ToolTipText.h"

namespace AUILib {

QString FormatToolTipText(const std::wstring &text, int maxWidth)
{
    const QString qtext = QString::fromStdWString(text);
    if (maxWidth < 1)
        return qtext;
    // One pass over both arguments: a "%1" in the text is not a place holder.
    return QStringLiteral("<div style='white-space:pre-wrap; max-width:%1px;'>%2</div>")
        .arg(QString::number(maxWidth), qtext);
}

} // namespace AUILib
