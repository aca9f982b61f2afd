#include "RichEditImpl.h"

#include "TextEdits.h"

#include <QBrush>
#include <QColor>
#include <QTextCharFormat>

namespace AUILib {

namespace {

constexpr int kBoldWeight = 75;
constexpr int kNormalWeight = 50;

} // namespace

RichEdit::impl::impl(RichEdit *owner)
    : BaseImplQt(owner)
{
    RichEditQt *edit = MakeWidget<RichEditQt>();
    edit->setAcceptRichText(false);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    m_cursor = edit->textCursor();
    Connect(edit, &QTextEdit::textChanged, [this] {
        if (!m_settingText && !Fire(&RichEdit::OnTextEdited))
            return;
        Fire(&RichEdit::OnTextChanged);
    });
}

RichEdit::impl::~impl() = default;

void RichEdit::impl::SetText(const std::wstring &text)
{
    RichEditQt *edit = Edit();
    if (!edit)
        return;
    // The document goes on after it reported the change: reported once it is whole.
    EventGate::Hold hold;
    m_settingText = true;
    edit->setPlainText(QString::fromStdWString(text));
    m_settingText = false;
}

RichEdit::Selection RichEdit::impl::GetSel()
{
    RichEditQt *edit = Edit();
    if (!edit)
        return {};
    m_cursor = edit->textCursor();
    return {m_cursor.selectionStart(), m_cursor.selectionEnd()};
}

void RichEdit::impl::SetSel(RichEdit::Selection selection)
{
    RichEditQt *edit = Edit();
    if (!edit)
        return;
    m_cursor = SelectCharacters(edit->textCursor(), selection.start, selection.end);
    edit->setTextCursor(m_cursor);
}

RichEdit::CharFormat_ RichEdit::impl::GetSelectionCharFormat()
{
    RichEdit::CharFormat_ result;
    RichEditQt *edit = Edit();
    if (!edit)
        return result;
    m_cursor = edit->textCursor();
    const QTextCharFormat format = m_cursor.charFormat();
    const QColor color = format.foreground().color();
    result.color = (color.red() << 16) | (color.green() << 8) | color.blue();
    result.faceName = format.fontFamily().toStdWString();
    result.pointSize = static_cast<int>(format.doubleProperty(QTextFormat::FontPointSize));
    if (format.hasProperty(QTextFormat::FontWeight) && format.intProperty(QTextFormat::FontWeight) == kBoldWeight)
        result.effects |= RichEdit::CharFormat_::Bold;
    if (format.boolProperty(QTextFormat::FontItalic))
        result.effects |= RichEdit::CharFormat_::Italic;
    if (format.boolProperty(QTextFormat::FontStrikeOut))
        result.effects |= RichEdit::CharFormat_::StrikeOut;
    if (format.fontUnderline())
        result.effects |= RichEdit::CharFormat_::Underline;
    return result;
}

void RichEdit::impl::SetSelectionCharFormat(const RichEdit::CharFormat_ &format)
{
    RichEditQt *edit = Edit();
    if (!edit)
        return;
    m_cursor = edit->textCursor();
    if (m_cursor.selectionStart() < 0 || !m_cursor.hasSelection())
        return;
    QTextCharFormat applied;
    if (format.pointSize >= 0)
        applied.setProperty(QTextFormat::FontPointSize, static_cast<double>(format.pointSize));
    if (format.color >= 0)
        applied.setProperty(QTextFormat::ForegroundBrush, QBrush(QColor::fromRgb(static_cast<QRgb>(format.color) | 0xff000000u)));
    const int effects = format.effects;
    if (effects & RichEdit::CharFormat_::Bold)
        applied.setProperty(QTextFormat::FontWeight, kBoldWeight);
    if (effects & RichEdit::CharFormat_::Italic)
        applied.setProperty(QTextFormat::FontItalic, true);
    if (effects & RichEdit::CharFormat_::StrikeOut)
        applied.setProperty(QTextFormat::FontStrikeOut, true);
    if (effects & RichEdit::CharFormat_::Underline)
        applied.setProperty(QTextFormat::TextUnderlineStyle, 1);
    if (effects == 0) {
        applied.setProperty(QTextFormat::TextUnderlineStyle, 0);
        applied.setProperty(QTextFormat::FontStrikeOut, false);
        applied.setProperty(QTextFormat::FontItalic, false);
        applied.setProperty(QTextFormat::FontWeight, kNormalWeight);
    }
    if (!format.faceName.empty())
        applied.setProperty(QTextFormat::FontFamily, QString::fromStdWString(format.faceName));
    m_cursor.setCharFormat(applied);
}

} // namespace AUILib
