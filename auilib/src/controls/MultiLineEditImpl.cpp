#include "MultiLineEditImpl.h"

#include "FocusWatcher.h"
#include "SizeBound.h"
#include "TextEdits.h"

#include <QFontMetrics>
#include <QTextDocument>

#include <algorithm>

namespace AUILib {

MultiLineEdit::impl::impl(MultiLineEdit *owner)
    : BaseImplQt(owner)
{
    MultiLineEditQt *edit = MakeWidget<MultiLineEditQt>();
    m_selection = edit->textCursor();
    m_focusWatcher = new FocusWatcher(edit);
    Connect(edit, &QPlainTextEdit::textChanged, [this] { onTextChanged(); });
    Connect(m_focusWatcher.data(), &FocusWatcher::focusChanged, [this](bool in) {
        if (!in)
            Fire(&MultiLineEdit::OnFocusLost);
    });
}

MultiLineEdit::impl::~impl() = default;

void MultiLineEdit::impl::SetText(const std::wstring &text)
{
    MultiLineEditQt *edit = Edit();
    if (!edit)
        return;
    // The document goes on after it reported the change: reported once it is whole.
    EventGate::Hold hold;
    m_settingText = true;
    edit->setPlainText(QString::fromStdWString(text));
    m_settingText = false;
}

bool MultiLineEdit::impl::cutToLimit(MultiLineEditQt *edit)
{
    const int length = edit->document()->characterCount() - 1;
    if (m_limit < 0 || length <= m_limit)
        return false;
    const int excess = length - m_limit;
    QTextCursor cursor = edit->textCursor();
    const int position = cursor.position();
    // What was just typed or pasted stands before the cursor; text set as a
    // whole leaves the cursor at the start, and then its end goes.
    const int beforeCursor = std::min(excess, position);
    QTextCursor cut(edit->document());
    cut.beginEditBlock();
    if (beforeCursor > 0) {
        cut.setPosition(position - beforeCursor);
        cut.setPosition(position, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
    }
    if (excess > beforeCursor) {
        cut.setPosition(m_limit);
        cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
    }
    cut.endEditBlock();
    return true;
}

void MultiLineEdit::impl::onTextChanged()
{
    if (m_cutting)
        return;
    MultiLineEditQt *edit = Edit();
    if (edit) {
        // One cut, whose own change this handler ignores: the events below
        // fire once, for the text that stays.
        m_cutting = true;
        cutToLimit(edit);
        m_cutting = false;
    }
    const std::wstring text = edit ? edit->toPlainText().toStdWString() : std::wstring();
    if (text != m_lastText) {
        m_lastText = text;
        if (!m_settingText && !Fire(&MultiLineEdit::OnTextEdited))
            return;
        if (!Fire(&MultiLineEdit::OnTextChanged))
            return;
    }
    adaptHeight();
}

void MultiLineEdit::impl::adaptHeight()
{
    MultiLineEditQt *edit = Edit();
    if (!edit || !m_adaptiveHeight)
        return;
    const QMargins margins = edit->contentsMargins();
    const double height = edit->document()->lineCount() * QFontMetrics(edit->font()).lineSpacing() +
                          2 * edit->document()->documentMargin() + 2 * edit->frameWidth() + margins.top() +
                          margins.bottom();
    // A new height lays the edit's window out again; the height of every
    // line, but no taller than any window may be.
    EventGate::Hold hold;
    edit->setFixedHeight(SizeBound::Height(height));
}

void MultiLineEdit::impl::SetAdaptiveHeight(bool adaptive)
{
    m_adaptiveHeight = adaptive;
    if (adaptive)
        adaptHeight();
}

void MultiLineEdit::impl::SetLimitText(int limit)
{
    if (limit > 0)
        m_limit = limit;
}

MultiLineEdit::Selection MultiLineEdit::impl::GetSel()
{
    MultiLineEditQt *edit = Edit();
    if (!edit)
        return {};
    m_selection = edit->textCursor();
    return {m_selection.selectionStart(), m_selection.selectionEnd()};
}

void MultiLineEdit::impl::SetSel(MultiLineEdit::Selection selection)
{
    MultiLineEditQt *edit = Edit();
    if (!edit)
        return;
    m_selection = SelectCharacters(edit->textCursor(), selection.start, selection.end);
    edit->setTextCursor(m_selection);
}

} // namespace AUILib
