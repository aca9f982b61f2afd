#include "Edit.h"

#include "EditImpl.h"
#include "WidgetColors.h"

#include <QColor>
#include <QPalette>

namespace AUILib {

Edit::Edit()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindEdit);
}

Edit::~Edit() = default;

bool Edit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Edit::GetBaseImpl() const { return m_impl; }

QWidget *Edit::GetWndPtr() const { return m_impl->Widget(); }

void Edit::SetText(const std::wstring &text) { m_impl->SetText(text); }

std::wstring Edit::GetText() const
{
    EditQt *field = m_impl->Widget();
    return field ? field->text().toStdWString() : std::wstring();
}

std::wstring Edit::GetTextRaw() const { return GetText(); }

void Edit::SetTextAlign(TextAlign align)
{
    if (EditQt *field = m_impl->Widget()) {
        field->setAlignment(align == TextAlignLeft     ? Qt::AlignLeft
                            : align == TextAlignCenter ? Qt::AlignHCenter
                                                       : Qt::AlignRight);
    }
}

void Edit::SetSelectAll()
{
    if (EditQt *field = m_impl->Widget()) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void Edit::SetFocus()
{
    if (EditQt *field = m_impl->Widget())
        field->setFocus(Qt::OtherFocusReason);
}

void Edit::SetLimitText(int length)
{
    if (EditQt *field = m_impl->Widget())
        field->setMaxLength(length);
}

void Edit::SetReadOnly(bool readOnly)
{
    if (EditQt *field = m_impl->Widget())
        field->setReadOnly(readOnly);
}

bool Edit::IsReadOnly()
{
    EditQt *field = m_impl->Widget();
    return field && field->isReadOnly();
}

void Edit::OnlyNumbers(bool enable, int minimum, int maximum, std::shared_ptr<PromptsPopup> invalidCharPopup,
                       std::shared_ptr<PromptsPopup> outOfRangePopup)
{
    m_impl->numbers.SetIntegerRange(enable, minimum, maximum, std::move(invalidCharPopup), std::move(outOfRangePopup));
}

void Edit::OnlyNumbers(bool enable, double minimum, double maximum, std::shared_ptr<PromptsPopup> invalidCharPopup,
                       int decimals)
{
    OnlyNumbers(enable, minimum, maximum, std::move(invalidCharPopup), nullptr, decimals);
}

void Edit::OnlyNumbers(bool enable, double minimum, double maximum, std::shared_ptr<PromptsPopup> invalidCharPopup,
                       std::shared_ptr<PromptsPopup> outOfRangePopup, int decimals)
{
    OnlyNumbersSettings &numbers = m_impl->numbers;
    numbers.enabled = enable;
    numbers.integersOnly = false;
    numbers.allowMinus = minimum < 0.0;
    numbers.floatingMinimum = minimum;
    numbers.floatingMaximum = maximum;
    numbers.decimals = decimals;
    numbers.invalidCharPopup = std::move(invalidCharPopup);
    numbers.outOfRangePopup = std::move(outOfRangePopup);
}

int Edit::IsSetOnlyNumbers() const
{
    const OnlyNumbersSettings &numbers = m_impl->numbers;
    if (!numbers.enabled)
        return 0;
    return numbers.integersOnly ? 1 : 2;
}

void Edit::SetBackgroundColor(int rgb)
{
    m_impl->backgroundColor = rgb;
    if (EditQt *field = m_impl->Widget())
        m_impl->SetColor(field->backgroundRole(), rgb);
}

int Edit::GetBackgroundColor() { return m_impl->backgroundColor; }

void Edit::SetTextColor(int rgb)
{
    m_impl->textColor = rgb;
    if (EditQt *field = m_impl->Widget())
        m_impl->SetColor(field->foregroundRole(), rgb);
}

void Edit::SetPlaceHolderTextColor(RGBColor rgb)
{
    SetPaletteColor(m_impl->Widget(), QPalette::PlaceholderText, rgb);
}

int Edit::GetTextColor() { return m_impl->textColor; }

void Edit::SetPasswordMode(PasswordMode mode)
{
    if (EditQt *field = m_impl->Widget())
        field->setEchoMode(mode == PasswordModePassword ? QLineEdit::Password : QLineEdit::Normal);
}

Edit::PasswordMode Edit::GetPasswordMode() const
{
    EditQt *field = m_impl->Widget();
    return field && field->echoMode() == QLineEdit::Password ? PasswordModePassword : PasswordModeNormal;
}

void Edit::SetFrameMode(bool frame)
{
    if (EditQt *field = m_impl->Widget())
        field->setFrame(frame);
}

bool Edit::GetFrameMode() const
{
    EditQt *field = m_impl->Widget();
    return field && field->hasFrame();
}

void Edit::SetPlaceHolderText(const std::wstring &text)
{
    if (EditQt *field = m_impl->Widget())
        field->setPlaceholderText(QString::fromStdWString(text));
}

void Edit::SetBorderColor(unsigned int rgb)
{
    EditQt *field = m_impl->Widget();
    const QColor colour(static_cast<QRgb>(rgb)); // opaque whatever the alpha
    if (!field || !colour.isValid())
        return;
    field->setStyleSheet(QStringLiteral("border-style: outset; border-width: 1px;  border-color:") +
                         colour.name(QColor::HexArgb) + QStringLiteral(";"));
}

void Edit::SetBorderColor(RGBColor, RGBColor, RGBColor, RGBColor) {}

void Edit::SetBorderRadius(int) {}

void Edit::SetCursorPosition(int position) { m_impl->SetCursorPosition(position); }

int Edit::GetCursorPosition() const
{
    EditQt *field = m_impl->Widget();
    return field ? field->cursorPosition() : 0;
}

void Edit::SetSelection(int start, int length) { m_impl->SetSelection(start, length); }

int Edit::SelectionStart() const
{
    EditQt *field = m_impl->Widget();
    return field ? field->selectionStart() : -1;
}

int Edit::SelectionLength() const
{
    EditQt *field = m_impl->Widget();
    return field ? field->selectionLength() : 0;
}

void Edit::SetAutoComplete(const std::vector<std::wstring> &words) { m_impl->SetAutoComplete(words); }

void Edit::EnableAutoComplete(bool enable) { m_impl->EnableAutoComplete(enable); }

void Edit::SetSuffix(const std::wstring &suffix) { m_impl->SetSuffix(suffix); }

bool Edit::ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon)
{
    return m_impl->ShowBalloonTip(title, text, icon);
}

bool Edit::HideBalloonTip()
{
    m_impl->HideBalloonTip();
    return true;
}

void Edit::EnableExtendedButton(const std::wstring &normalIconPath, const std::wstring &hoverIconPath)
{
    if (EditQt *field = m_impl->Widget())
        field->EnableExtendedButton(QString::fromStdWString(normalIconPath), QString::fromStdWString(hoverIconPath));
}

void Edit::ExtendedButtonSetImage(const std::wstring &normalIconPath, const std::wstring &hoverIconPath)
{
    if (EditQt *field = m_impl->Widget())
        field->ExtendedButtonSetImage(QString::fromStdWString(normalIconPath), QString::fromStdWString(hoverIconPath));
}

void Edit::ExtendedButtonSetImage(const unsigned char *data, int length, ImageTypes type, bool hover)
{
    if (EditQt *field = m_impl->Widget())
        field->ExtendedButtonSetImage(data, length, type, hover);
}

} // namespace AUILib
