#pragma once

#include "BaseImplQt.h"
#include "Edit.h"
#include "EditQt.h"
#include "OnlyNumbersSettings.h"
#include "ReportRound.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QCompleter;

namespace AUILib {

class FocusWatcher;

// Drives the widget it makes, an EditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Every change of the text passes through one handler that keeps the suffix at
// the end and applies the number rules before OnTextChanged reports it.
class Edit::impl : public BaseImplQt
{
public:
    explicit impl(Edit *owner);
    ~impl() override;

    // The stored context menu is not shown by the event bridge: the edit pops
    // up its own, which knows about read-only state and the clipboard.
    bool HasOwnContextMenu() const override;

    // The line edit, null once Qt deleted it: the edit's own operations then
    // do nothing and its getters answer empty values.
    EditQt *Widget() const { return WidgetAs<EditQt>(); }

    void SetText(const std::wstring &text);
    void SetSuffix(const std::wstring &suffix);
    void SetCursorPosition(int position);
    void SetSelection(int start, int length);
    void SetAutoComplete(const std::vector<std::wstring> &words);
    void EnableAutoComplete(bool enable);
    bool ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon);
    void HideBalloonTip();
    void SetColor(QPalette::ColorRole role, int rgb);

    OnlyNumbersSettings numbers;
    int backgroundColor = -1;
    int textColor = -1;

private:
    struct Completion
    {
        std::unique_ptr<QCompleter> completer;
        QStringList words;
        QPointer<QLineEdit> target;
    };

    void onTextChanged(const QString &text);
    void keepSuffixAndNumber(EditQt &field, const QString &reported);
    // Writes the corrected text; the change it raises is only reported.
    void writeBack(EditQt &field, const QString &text, int cursor);

    std::unique_ptr<Completion> m_completion;
    QPointer<FocusWatcher> m_focusWatcher;
    std::unique_ptr<PromptsPopup> m_balloon;
    QString m_suffix;
    // The text after the last correction, without the suffix.
    QString m_lastAccepted;
    // Counts the runs of the change handler: a run that caused a nested one
    // leaves the report to it, so the corrected text is the last one reported.
    ReportRound m_changeRound;
    bool m_writingBack = false;
};

} // namespace AUILib
