#include "BaseGUIObject.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "BaseImpl.h"
#include "PromptsPopup.h"
#include "SizeBound.h"

namespace AUILib {

BaseGUIObject::BaseGUIObject()
{
    m_objectImpl = std::make_unique<AUIObjectImpl>(this);
}

BaseGUIObject::~BaseGUIObject()
{
    // First of all: from here on no implementation, widget or handler reaches
    // this control through an OwnerRef.
    m_life.reset();
}

std::shared_ptr<BaseImpl> BaseGUIObject::implOrThrow() const
{
    std::shared_ptr<BaseImpl> impl = GetBaseImpl();
    if (!impl)
        ThrowControlNotValid();
    return impl;
}

Size BaseGUIObject::LargestSize()
{
    const QSize largest = SizeBound::Largest();
    return Size{largest.width(), largest.height()};
}

Size BaseGUIObject::IdealSize() { return implOrThrow()->IdealSize(); }
Size BaseGUIObject::MinimumIdealSize() { return implOrThrow()->MinimumIdealSize(); }
Size BaseGUIObject::MinimumSize() { return implOrThrow()->MinimumSize(); }
Size BaseGUIObject::MaximumSize() { return implOrThrow()->MaximumSize(); }
void BaseGUIObject::Show(bool show, bool repaint) { implOrThrow()->Show(show, repaint); }
bool BaseGUIObject::IsVisible() { return implOrThrow()->IsVisible(); }
void BaseGUIObject::Enable(bool enable, bool withChildren) { implOrThrow()->Enable(enable, withChildren); }
bool BaseGUIObject::IsEnabled() { return implOrThrow()->IsEnabled(); }

void BaseGUIObject::MoveWindow(int x, int y, int width, int height, bool repaint)
{
    implOrThrow()->MoveWindow(x, y, width, height, repaint);
}

// Nothing is scaled on this platform: the unscaled forms are the plain ones.
void BaseGUIObject::MoveWindowUnscaled(int x, int y, int width, int height, bool repaint)
{
    implOrThrow()->MoveWindow(x, y, width, height, repaint);
}

void BaseGUIObject::Update() { implOrThrow()->Update(); }
void BaseGUIObject::Update(const Region &region) { implOrThrow()->Update(region); }
void BaseGUIObject::Repaint() { implOrThrow()->Repaint(); }
void BaseGUIObject::Repaint(const Region &region) { implOrThrow()->Repaint(region); }
int BaseGUIObject::GetLogicalPixelsX() { return implOrThrow()->GetLogicalPixelsX(); }
int BaseGUIObject::GetLogicalPixelsY() { return implOrThrow()->GetLogicalPixelsY(); }
Rect BaseGUIObject::GetWindowRect() { return implOrThrow()->GetWindowRect(); }
Rect BaseGUIObject::GetWindowRectUnscaled() { return implOrThrow()->GetWindowRect(); }
Rect BaseGUIObject::GetClientRect() { return implOrThrow()->GetClientRect(); }
Point BaseGUIObject::ScreenToClient(Point point) { return implOrThrow()->ScreenToClient(point); }
Point BaseGUIObject::ClientToScreen(Point point) { return implOrThrow()->ClientToScreen(point); }

SkinManager *BaseGUIObject::GetSkinManager() { return GetGlobalSkinManager(); }
bool BaseGUIObject::SetSkinMode(SkinMode, bool) { return false; }

QWidget *BaseGUIObject::GetParentWindow() { return m_parentWindow; }
void BaseGUIObject::SetParentWindow(QWidget *parent) { m_parentWindow = parent; }
void BaseGUIObject::SetUserData(std::intptr_t value) { m_userData = value; }
std::intptr_t BaseGUIObject::GetUserData() { return m_userData; }

int BaseGUIObject::SetTimer(unsigned int id, unsigned int milliseconds)
{
    return implOrThrow()->SetTimer(id, milliseconds);
}

void BaseGUIObject::KillTimer(unsigned int id) { implOrThrow()->KillTimer(id); }
SizePolicy BaseGUIObject::GetSizePolicy() const { return implOrThrow()->GetSizePolicy(); }
void BaseGUIObject::SetSizePolicy(const SizePolicy &policy) { implOrThrow()->SetSizePolicy(policy); }
void BaseGUIObject::SetMinimumSize(const Size &size) { implOrThrow()->SetMinimumSize(size); }
void BaseGUIObject::SetMaximumSize(const Size &size) { implOrThrow()->SetMaximumSize(size); }
int BaseGUIObject::GetFrarmeWidth() { return implOrThrow()->GetFrarmeWidth(); }
void BaseGUIObject::SetAcceptDrops(bool accept) { implOrThrow()->SetAcceptDrops(accept); }
bool BaseGUIObject::IsAcceptDrops() { return implOrThrow()->IsAcceptDrops(); }
void BaseGUIObject::SetTrackMouseEvent() { implOrThrow()->SetTrackMouseEvent(); }

int BaseGUIObject::GetWidthForText(std::wstring &text, FontData *font)
{
    return implOrThrow()->GetWidthForText(text, font);
}

bool BaseGUIObject::ShowBalloonTipEx(const std::wstring &text, const std::wstring &iconPath, bool unused,
                                     bool persistent)
{
    return implOrThrow()->ShowBalloonTipEx(text, iconPath, unused, persistent);
}

bool BaseGUIObject::ShowBalloonTipEx(const std::wstring &text, const unsigned char *iconBytes, int byteCount,
                                     bool unused, bool persistent)
{
    return implOrThrow()->ShowBalloonTipEx(text, iconBytes, byteCount, unused, persistent);
}

bool BaseGUIObject::ShowBalloonTipEx(const std::wstring &text, BalloonTipIconType icon, bool unused, bool persistent)
{
    return implOrThrow()->ShowBalloonTipEx(text, icon, unused, persistent);
}

bool BaseGUIObject::ShowBalloonTipEx(const std::wstring &title, const std::wstring &text,
                                     const std::wstring &iconPath, bool unused, bool persistent)
{
    return implOrThrow()->ShowBalloonTipEx(title, text, iconPath, unused, persistent);
}

bool BaseGUIObject::ShowBalloonTipEx(const std::wstring &title, const std::wstring &text,
                                     const unsigned char *iconBytes, int byteCount, bool unused, bool persistent)
{
    return implOrThrow()->ShowBalloonTipEx(title, text, iconBytes, byteCount, unused, persistent);
}

bool BaseGUIObject::ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon,
                                     bool unused, bool persistent)
{
    return implOrThrow()->ShowBalloonTipEx(title, text, icon, unused, persistent);
}

bool BaseGUIObject::HideBalloonTipEx() { return implOrThrow()->HideBalloonTipEx(); }
bool BaseGUIObject::IsBalloonTipDisplayed() { return implOrThrow()->IsBalloonTipDisplayed(); }

QWidget *BaseGUIObject::GetPlatformHandle() const
{
    const std::shared_ptr<BaseImpl> impl = GetBaseImpl();
    return impl ? impl->GetWidget() : nullptr;
}

QWidget *BaseGUIObject::GetPlatformWindow() const
{
    return GetPlatformHandle();
}

void BaseGUIObject::SetEventProcedure(const EventProcedureFn &procedure)
{
    EventProcedureFn copy(procedure);
    m_eventProcedure.swap(copy);
}

void BaseGUIObject::SetPreTranslateMessage(const PreTranslateFn &function)
{
    PreTranslateFn copy(function);
    m_preTranslate.swap(copy);
}

std::shared_ptr<PromptsPopup> BaseGUIObject::InsertPromptsPopup(const std::wstring &text, int iconType, int timeoutMs,
                                                                bool closeOnInteraction)
{
    m_promptsPopup = std::make_shared<PromptsPopup>();
    // A control without a widget hands over null; the popup then refuses, and
    // the caller still gets the (unprepared) popup.
    m_promptsPopup->Create(GetPlatformWindow(), text, iconType, timeoutMs, closeOnInteraction);
    return m_promptsPopup;
}

void BaseGUIObject::ShowPromptsPopup(const std::shared_ptr<PromptsPopup> &popup, bool show)
{
    if (popup)
        popup->Show(show, -1, -1);
}

void BaseGUIObject::InsertContextMenu(const std::shared_ptr<ContextMenu> &menu) { m_contextMenu = menu; }
void BaseGUIObject::RemoveContextMenu() { m_contextMenu.reset(); }
std::shared_ptr<ContextMenu> BaseGUIObject::GetContextMenu() const { return m_contextMenu; }

} // namespace AUILib
