#pragma once

#include "BaseImplQt.h"
#include "RichEdit.h"
#include "RichEditQt.h"

#include <QTextCursor>

namespace AUILib {

// Drives the widget it makes, a RichEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class RichEdit::impl : public BaseImplQt
{
public:
    explicit impl(RichEdit *owner);
    ~impl() override;

    // Null once Qt deleted the widget.
    RichEditQt *Edit() const { return WidgetAs<RichEditQt>(); }

    void SetText(const std::wstring &text);
    RichEdit::Selection GetSel();
    void SetSel(RichEdit::Selection selection);
    RichEdit::CharFormat_ GetSelectionCharFormat();
    void SetSelectionCharFormat(const RichEdit::CharFormat_ &format);

private:
    bool m_settingText = false;
    QTextCursor m_cursor;
};

} // namespace AUILib
