#pragma once

#include "BaseImplQt.h"
#include "MultiLineEdit.h"
#include "MultiLineEditQt.h"

#include <QPointer>
#include <QTextCursor>

#include <string>

namespace AUILib {

class FocusWatcher;

// Drives the widget it makes, a MultiLineEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class MultiLineEdit::impl : public BaseImplQt
{
public:
    explicit impl(MultiLineEdit *owner);
    ~impl() override;

    // Null once Qt deleted the widget.
    MultiLineEditQt *Edit() const { return WidgetAs<MultiLineEditQt>(); }

    void SetText(const std::wstring &text);
    void SetAdaptiveHeight(bool adaptive);
    void SetLimitText(int limit);
    MultiLineEdit::Selection GetSel();
    void SetSel(MultiLineEdit::Selection selection);

private:
    void onTextChanged();
    // Cuts the text to the limit in one edit, the characters before the
    // cursor first; true when it cut.
    bool cutToLimit(MultiLineEditQt *edit);
    void adaptHeight();

    bool m_settingText = false;
    bool m_adaptiveHeight = false;
    int m_limit = -1;
    // Raised while the cut's own change runs through the handler.
    bool m_cutting = false;
    QTextCursor m_selection;
    QPointer<FocusWatcher> m_focusWatcher;
    std::wstring m_lastText;
};

} // namespace AUILib
