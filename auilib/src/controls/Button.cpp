#include "Button.h"

#include "AUILibConfig.h"
#include "ButtonImpl.h"
#include "Pictures.h"

namespace AUILib {

Button::Button()
    : m_impl(MakeImpl<impl>(this, nullptr))
{
    SetControlKind(ControlKindButton);
}

Button::Button(QPushButton *existing)
    : m_impl(MakeImpl<impl>(this, existing))
{
    SetControlKind(ControlKindButton);
}

Button::~Button() = default;

bool Button::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

Size Button::IdealSize() { return m_impl->IdealSize(); }
std::shared_ptr<BaseImpl> Button::GetBaseImpl() const { return m_impl; }
SkinManager *Button::GetSkinManager() { return GetGlobalSkinManager(); }

void Button::SetChecked(bool checked) { m_impl->SetChecked(checked); }
bool Button::GetCheck() { return m_impl->GetCheck(); }

void Button::LoadPicture(const std::wstring &path, ScalePicture scale, int iconWidth, bool)
{
    m_impl->LoadPicture(PictureFromFile(path, iconWidth), scale, false);
}

void Button::LoadPicture(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale, int iconWidth,
                         bool)
{
    m_impl->LoadPicture(PictureFromBytes(bytes, length, type, iconWidth), scale, false);
}

void Button::LoadPictureDisabled(const std::wstring &path, ScalePicture scale, int iconWidth, bool)
{
    m_impl->LoadPicture(PictureFromFile(path, iconWidth), scale, true);
}

void Button::LoadPictureDisabled(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale,
                                 int iconWidth, bool)
{
    m_impl->LoadPicture(PictureFromBytes(bytes, length, type, iconWidth), scale, true);
}

void Button::GeneratePictureDisabled(bool) {}
void Button::UseTextAndIcon(ButtonStyle style) { m_impl->SetStyle(style); }
void Button::SetStyle(ButtonStyle style) { m_impl->SetStyle(style); }
Button::ButtonStyle Button::GetStyle() { return m_impl->GetStyle(); }
void Button::SetTextColor(int color) { m_impl->SetTextColor(color); }

void Button::SetText(const std::wstring &text) { m_impl->SetText(text); }
std::wstring Button::GetText() const { return m_impl->GetText(); }
void Button::SetTextColor(RGBColor normal, RGBColor disabled) { m_impl->SetTextColor(normal, disabled); }
void Button::SetBackgroundColor(unsigned int color, bool allStates) { m_impl->SetBackgroundColor(color, allStates); }

void Button::SetBackgroundColor(RGBColor normal, RGBColor hover, RGBColor disabled, RGBColor focus, RGBColor pressed)
{
    m_impl->SetBackgroundColor(normal, hover, disabled, focus, pressed);
}

void Button::SetBorderColor(RGBColor normal, RGBColor hover, RGBColor disabled)
{
    m_impl->SetBorderColor(normal, hover, disabled);
}

void Button::SetRoundedButtonCornerRadius(int radius) { m_impl->SetRoundedButtonCornerRadius(radius); }
int Button::GetRoundedButtonCornerRadius() { return m_impl->GetRoundedButtonCornerRadius(); }
void Button::SetFont(FontData &font) { m_impl->SetFont(font); }
FontData Button::GetFont() { return m_impl->GetFont(); }
void Button::DisableFocusRect(bool disable) { m_impl->DisableFocusRect(disable); }
bool Button::IsDisableFocusRect() { return m_impl->IsDisableFocusRect(); }

void Button::InsertMenuBar(std::shared_ptr<ContextMenu> menu, bool showArrow)
{
    m_impl->InsertMenuBar(std::move(menu), showArrow);
}

void Button::RemoveMenuBar() { m_impl->RemoveMenuBar(); }
void Button::Use3dStyle() {}

} // namespace AUILib
