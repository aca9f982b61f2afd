#include "EditImpl.h"

#include "FocusWatcher.h"
#include "PromptsPopup.h"
#include "WidgetColors.h"

#include <QCompleter>
#include <QPalette>

namespace AUILib {

namespace {

constexpr int kBalloonTime = 3000; // ms

} // namespace

Edit::impl::impl(Edit *owner)
    : BaseImplQt(owner)
{
    EditQt *field = MakeWidget<EditQt>(owner);
    m_focusWatcher = new FocusWatcher(field);
    Connect(field, &QLineEdit::textChanged, [this](const QString &text) { onTextChanged(text); });
    Connect(field, &QLineEdit::textEdited,
            [this](const QString &text) { Fire(&Edit::OnTextEdited, text.toStdWString()); });
    Connect(m_focusWatcher.data(), &FocusWatcher::focusChanged, [this](bool in) {
        if (!in)
            Fire(&Edit::OnFocusLost);
    });
}

Edit::impl::~impl() = default;

bool Edit::impl::HasOwnContextMenu() const
{
    return true;
}

void Edit::impl::onTextChanged(const QString &text)
{
    EditQt *field = Widget();
    if (!field)
        return;
    const unsigned run = m_changeRound.Begin();
    // The handler's own write is corrected already; were it corrected again,
    // the rules would hide the balloons they have just shown.
    if (!m_writingBack)
        keepSuffixAndNumber(*field, text);
    // A correction written back ran this handler again inside, and that run
    // reported the text the field shows; the rejected text is not reported after it.
    if (m_changeRound.IsCurrent(run))
        Fire(&Edit::OnTextChanged, text.toStdWString());
}

void Edit::impl::keepSuffixAndNumber(EditQt &field, const QString &reported)
{
    const int cursor = field.cursorPosition();
    QString text = reported;
    if (!m_suffix.isEmpty() && !text.isEmpty()) {
        if (text.contains(m_suffix) && cursor != text.size()) {
            text.chop(m_suffix.size());
        } else {
            // The suffix was broken, or typed after: back to the last number.
            text = m_lastAccepted;
            if (m_lastAccepted.isEmpty())
                writeBack(field, m_suffix, cursor);
        }
    }
    std::wstring corrected = text.toStdWString();
    numbers.CorrectText(corrected, false);
    m_lastAccepted = QString::fromStdWString(corrected);
    if (m_suffix.isEmpty() && m_lastAccepted == text)
        return;
    writeBack(field, m_lastAccepted + m_suffix, cursor);
}

void Edit::impl::writeBack(EditQt &field, const QString &text, int cursor)
{
    ProgrammaticUpdateScope programmatic(*this);
    const bool outer = m_writingBack;
    m_writingBack = true;
    field.setText(text);
    m_writingBack = outer;
    field.setCursorPosition(cursor);
}

void Edit::impl::SetText(const std::wstring &text)
{
    EditQt *field = Widget();
    if (!field)
        return;
    QString value = QString::fromStdWString(text);
    if (!m_suffix.isEmpty()) {
        // The change handler takes a program's text from the last accepted
        // one (the cursor stands after the suffix), so the number goes there.
        if (value.endsWith(m_suffix))
            value.chop(m_suffix.size());
        m_lastAccepted = value;
        value += m_suffix;
    }
    // Qt's line edit goes on after it reported the change: the change is
    // reported once the field is whole, the cursor at the start.
    EventGate::Hold hold;
    {
        ProgrammaticUpdateScope programmatic(*this);
        field->setText(value);
    }
    field->home(true);
    field->deselect();
}

void Edit::impl::SetSuffix(const std::wstring &suffix)
{
    EditQt *field = Widget();
    if (!field)
        return;
    QString text = field->text();
    const int old = m_suffix.isEmpty() ? -1 : text.indexOf(m_suffix);
    if (old >= 0)
        text.remove(old, m_suffix.size());
    m_suffix = QString::fromStdWString(suffix);
    SetText((text + m_suffix).toStdWString());
}

void Edit::impl::SetCursorPosition(int position)
{
    EditQt *field = Widget();
    if (!field || position < 0)
        return;
    field->setCursorPosition(std::min(position, field->text().size()));
    field->setFocus(Qt::OtherFocusReason);
}

void Edit::impl::SetSelection(int start, int length)
{
    EditQt *field = Widget();
    if (!field)
        return;
    const int size = field->text().size();
    start = std::max(start, 0);
    if (start > size)
        return;
    if (length < 0 || length > size - start)
        length = size - start;
    field->setSelection(start, length);
}

void Edit::impl::SetAutoComplete(const std::vector<std::wstring> &words)
{
    auto completion = std::make_unique<Completion>();
    for (const std::wstring &word : words)
        completion->words << QString::fromStdWString(word);
    completion->completer = std::make_unique<QCompleter>(completion->words);
    completion->completer->setCaseSensitivity(Qt::CaseInsensitive);
    if (EditQt *field = Widget()) {
        field->setCompleter(completion->completer.get());
        completion->target = field;
    }
    m_completion = std::move(completion);
}

void Edit::impl::EnableAutoComplete(bool enable)
{
    if (!m_completion || !m_completion->target)
        return;
    m_completion->target->setCompleter(enable ? m_completion->completer.get() : nullptr);
}

bool Edit::impl::ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon)
{
    if (!m_balloon)
        m_balloon = std::make_unique<PromptsPopup>();
    m_balloon->Create(Widget(), text, 0, kBalloonTime, true);
    m_balloon->SetTitle(title);
    m_balloon->SetTitleIcon(icon);
    m_balloon->Show(true, -1, -1);
    return true;
}

void Edit::impl::HideBalloonTip()
{
    if (m_balloon)
        m_balloon->Show(false, -1, -1);
}

void Edit::impl::SetColor(QPalette::ColorRole role, int rgb)
{
    SetPaletteColor(Widget(), role, static_cast<RGBColor>(rgb), true);
}

} // namespace AUILib
