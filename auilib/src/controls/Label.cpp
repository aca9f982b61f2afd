#include "Label.h"

#include "AUILibConfig.h"
#include "LabelImpl.h"
#include "WidgetFonts.h"

namespace AUILib {

Label::Label()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindLabel);
}

Label::~Label() = default;

bool Label::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

Size Label::IdealSize() { return m_impl->IdealSize(); }
std::shared_ptr<BaseImpl> Label::GetBaseImpl() const { return m_impl; }
SkinManager *Label::GetSkinManager() { return GetGlobalSkinManager(); }
QWidget *Label::GetWndPtr() { return m_impl->GetWndPtr(); }

void Label::SetText(const std::wstring &text, bool) { m_impl->SetText(text); }

void Label::SetText(const std::wstring &before, const std::wstring &link, const std::wstring &after,
                    const std::wstring &url)
{
    m_impl->SetText(QString::fromStdWString(before), QString::fromStdWString(link), QString::fromStdWString(after),
                    QString::fromStdWString(url));
}

std::wstring Label::GetText() const { return m_impl->GetText(); }

void Label::SetHyperlinkColors(RGBColor link, RGBColor visited, RGBColor hover)
{
    m_impl->SetHyperlinkColors(link, visited, hover);
}

bool Label::HasHyperlink() { return !m_impl->label()->linkText.isEmpty(); }
void Label::SetbDefaultClickProcess(bool fireEvent) { m_impl->label()->setOpenExternalLinks(!fireEvent); }
void Label::SetToolTip(std::wstring text) { m_impl->label()->setToolTip(QString::fromStdWString(text)); }
std::wstring Label::GetToolTip() { return m_impl->label()->toolTip().toStdWString(); }

void Label::SetFont(FontData font)
{
    LabelQt *widget = m_impl->label();
    widget->setFont(ApplyFontData(widget->font(), font));
}

FontData Label::GetFont() { return m_impl->GetFont(); }
void Label::SetTextAlign(TextAlign align) { m_impl->SetTextAlign(align); }

TextAlign Label::GetTextAlign()
{
    const Qt::Alignment alignment = m_impl->label()->alignment();
    if (alignment & Qt::AlignRight)
        return TextAlignRight;
    return alignment & Qt::AlignHCenter ? TextAlignCenter : TextAlignLeft;
}

// Neither flag clears the other: a label once centred stays centred.
void Label::SetVCenter(bool center)
{
    LabelQt *widget = m_impl->label();
    widget->setAlignment(widget->alignment() | (center ? Qt::AlignVCenter : Qt::AlignTop));
}

bool Label::GetVCenter() { return m_impl->label()->alignment() & Qt::AlignVCenter; }
void Label::SetBackgroundColor(int color) { m_impl->SetBackgroundColor(color); }
int Label::GetBackgroundColor() { return m_impl->GetBackgroundColor(); }
void Label::SetTextColor(int color) { m_impl->SetTextColor(color); }
int Label::GetTextColor() { return m_impl->GetTextColor(); }

void Label::LoadPicture(const std::wstring &path, ScalePicture scale, int iconSize)
{
    m_impl->LoadPicture(QString::fromStdWString(path), scale, iconSize);
}

void Label::LoadPicture(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale, int iconSize)
{
    m_impl->LoadPicture(bytes, length, type, scale, iconSize);
}

bool Label::PlayGif() { return m_impl->PlayGif(); }
bool Label::StopGif() { return m_impl->StopGif(); }
void Label::DrawTxt(const std::wstring &text) { m_impl->DrawTxt(QString::fromStdWString(text)); }
void Label::SetBorder() { m_impl->label()->setFrameShape(QFrame::Box); }
void Label::SetWordWrap(bool wrap) { m_impl->SetWordWrap(wrap); }
void Label::SetLineSpacing(int percent) { m_impl->SetLineSpacing(percent); }
void Label::TruncateTextToEllipses(bool truncate) { m_impl->TruncateTextToEllipses(truncate); }

} // namespace AUILib
