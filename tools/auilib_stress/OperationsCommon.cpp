// The operations every control offers: those of BaseGUIObject, balloons,
// prompts popups and context menus (the menus' own are in OperationsMenus.cpp).
#include "BaseGUIObject.h"
#include "ContextMenu.h"
#include "Draw.h"
#include "OperationTable.h"
#include "PromptsPopup.h"

#include <QRegion>
#include <QWidget>

using namespace AUILib;

namespace {

using Role = OperationRole;

QRegion region(Draw &d)
{
    const int x = d.number();
    const int y = d.number();
    const int w = d.length();
    const int h = d.length();
    return QRegion(x, y, w, h);
}

// Where and how the control shows: visibility, geometry, sizes, repaints, its parent.
void addPlacement(OperationTable &t)
{
    t.addCommon("Show", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const bool show = d.flag();
        const bool repaint = d.flag();
        d.call();
        c.Show(show, repaint);
    });
    t.addCommon("Enable", Role::Mode, [](BaseGUIObject &c, Draw &d) {
        const bool enable = d.flag();
        const bool children = d.flag();
        d.call();
        c.Enable(enable, children);
    });
    t.addCommon("MoveWindow", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const bool sane = d.random().percent(60);
        const int x = sane ? d.between(-20, 500) : d.number();
        const int y = sane ? d.between(-20, 500) : d.number();
        const int w = sane ? d.between(0, 400) : d.length();
        const int h = sane ? d.between(0, 300) : d.length();
        const bool repaint = d.flag();
        d.call();
        c.MoveWindow(x, y, w, h, repaint);
    });
    t.addCommon("MoveWindowUnscaled", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const int x = d.number();
        const int y = d.number();
        const int w = d.length();
        const int h = d.length();
        d.call();
        c.MoveWindowUnscaled(x, y, w, h, true);
    });
    t.addCommon("SetMinimumSize", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const Size size{d.length(), d.length()};
        d.call();
        c.SetMinimumSize(size);
    });
    t.addCommon("SetMaximumSize", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const Size size{d.length(), d.length()};
        d.call();
        c.SetMaximumSize(size);
    });
    t.addCommon("Sizes", Role::Read, [](BaseGUIObject &c, Draw &d) {
        d.call();
        c.IdealSize();
        if (d.alive())
            c.MinimumIdealSize();
        if (d.alive())
            c.MinimumSize();
        if (d.alive())
            c.MaximumSize();
        if (d.alive())
            c.GetWindowRect();
        if (d.alive())
            c.GetWindowRectUnscaled();
        if (d.alive())
            c.GetClientRect();
        if (d.alive())
            c.GetFrarmeWidth();
        if (d.alive())
            c.GetLogicalPixelsX();
        if (d.alive())
            c.GetLogicalPixelsY();
        if (d.alive())
            c.IsVisible();
        if (d.alive())
            c.IsEnabled();
        if (d.alive())
            c.GetSizePolicy();
        if (d.alive())
            c.IsAcceptDrops();
    });
    t.addCommon("MapPoints", Role::Read, [](BaseGUIObject &c, Draw &d) {
        const Point a = d.point();
        const Point b = d.point();
        d.call();
        c.ScreenToClient(a);
        if (d.alive())
            c.ClientToScreen(b);
    });
    t.addCommon("Update", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const int which = d.between(0, 3);
        if (which < 2) {
            d.call();
            which == 0 ? c.Update() : c.Repaint();
            return;
        }
        const QRegion area = region(d);
        d.call();
        which == 2 ? c.Update(area) : c.Repaint(area);
    });
    t.addCommon("Create", Role::Mode, [](BaseGUIObject &c, Draw &d) {
        QWidget *parent = d.parent(c);
        d.call();
        c.Create(parent);
    });
    t.addCommon("SetParentWindow", Role::Mode, [](BaseGUIObject &c, Draw &d) {
        QWidget *parent = d.parent(c);
        d.call();
        c.SetParentWindow(parent);
        if (d.alive())
            c.GetParentWindow();
    });
}

// Timers, size policy, drops, text measures, user data, skin.
void addState(OperationTable &t)
{
    t.addCommon("SetTimer", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const unsigned int id = d.unsignedNumber();
        const unsigned int ms = d.random().percent(70) ? static_cast<unsigned int>(d.between(0, 200)) : d.unsignedNumber();
        d.call();
        const int given = c.SetTimer(id, ms);
        d.answer(std::to_string(given));
        if (d.random().percent(50) && d.alive())
            c.KillTimer(static_cast<unsigned int>(given));
    });
    t.addCommon("KillTimer", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const unsigned int id = d.unsignedNumber();
        d.call();
        c.KillTimer(id);
    });
    t.addCommon("SetSizePolicy", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const SizePolicy policy = d.colour();
        d.call();
        c.SetSizePolicy(policy);
    });
    t.addCommon("SetAcceptDrops", Role::Mode, [](BaseGUIObject &c, Draw &d) {
        const bool accept = d.flag();
        d.call();
        c.SetAcceptDrops(accept);
        if (d.alive())
            c.SetTrackMouseEvent();
    });
    t.addCommon("GetWidthForText", Role::Read, [](BaseGUIObject &c, Draw &d) {
        std::wstring text = d.text();
        FontData font = d.font();
        const bool withFont = d.flag();
        d.call();
        c.GetWidthForText(text, withFont ? &font : nullptr);
    });
    t.addCommon("SetUserData", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const long long value = d.wide();
        d.call();
        c.SetUserData(static_cast<std::intptr_t>(value));
        if (d.alive())
            c.GetUserData();
    });
    t.addCommon("SetSkinMode", Role::Mode, [](BaseGUIObject &c, Draw &d) {
        const auto mode = d.choice({SkinModeDefault, SkinModeDark, SkinModeXML, SkinModeHCMDark, SkinModeCustom});
        const bool reload = d.flag();
        d.call();
        c.SetSkinMode(mode, reload);
        if (d.alive())
            c.GetSkinManager();
    });
}

// Balloons, prompts popups and context menus over the control.
void addPopups(OperationTable &t)
{
    t.addCommon("ShowBalloonTipEx", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const int form = d.between(0, 5);
        const std::wstring title = d.text();
        const std::wstring text = d.text();
        const bool persistent = d.flag();
        switch (form) {
        case 0: {
            const std::wstring path = d.path();
            d.call();
            c.ShowBalloonTipEx(text, path, false, persistent);
            break;
        }
        case 1: {
            const PictureArgument picture = d.picture();
            d.call();
            c.ShowBalloonTipEx(text, picture.bytes, picture.length, false, persistent);
            break;
        }
        case 2: {
            const auto icon = d.choice({BalloonTipIconNone, BalloonTipIconInformation, BalloonTipIconWarning,
                                        BalloonTipIconCritical});
            d.call();
            c.ShowBalloonTipEx(text, icon, false, persistent);
            break;
        }
        case 3: {
            const std::wstring path = d.path();
            d.call();
            c.ShowBalloonTipEx(title, text, path, false, persistent);
            break;
        }
        case 4: {
            const PictureArgument picture = d.picture();
            d.call();
            c.ShowBalloonTipEx(title, text, picture.bytes, picture.length, false, persistent);
            break;
        }
        default: {
            const auto icon = d.choice({BalloonTipIconNone, BalloonTipIconInformation, BalloonTipIconWarning,
                                        BalloonTipIconCritical});
            d.call();
            c.ShowBalloonTipEx(title, text, icon, false, persistent);
            break;
        }
        }
    });
    t.addCommon("HideBalloonTipEx", Role::Change, [](BaseGUIObject &c, Draw &d) {
        d.call();
        c.HideBalloonTipEx();
        if (d.alive())
            c.IsBalloonTipDisplayed();
    });
    t.addCommon("PromptsPopup", Role::Change, [](BaseGUIObject &c, Draw &d) {
        const std::wstring text = d.text();
        const int icon = d.number();
        const int timeout = d.random().percent(70) ? d.between(-1, 3000) : d.number();
        const bool closes = d.flag();
        const bool show = d.flag();
        d.call();
        std::shared_ptr<PromptsPopup> popup = c.InsertPromptsPopup(text, icon, timeout, closes);
        if (!popup)
            return;
        if (d.random().percent(50))
            popup->SetTitle(L"Title");
        if (d.random().percent(30))
            popup->SetTitleIcon(static_cast<BalloonTipIconType>(d.random().below(5)));
        if (d.random().percent(50)) {
            if (d.alive())
                c.ShowPromptsPopup(popup, show);
        }
        else {
            popup->Show(show, d.random().percent(50) ? -1 : static_cast<int>(d.random().between(-100000, 100000)),
                        d.random().percent(50) ? -1 : static_cast<int>(d.random().between(-100000, 100000)));
        }
    });
    t.addCommon("InsertContextMenu", Role::Change, [](BaseGUIObject &c, Draw &d) {
        d.call();
        c.InsertContextMenu(makeMenu(d, c));
    });
    t.addCommon("RemoveContextMenu", Role::Change, [](BaseGUIObject &c, Draw &d) {
        d.call();
        c.RemoveContextMenu();
    });
    t.addCommon("ContextMenu", Role::Change, [](BaseGUIObject &c, Draw &d) {
        std::shared_ptr<ContextMenu> menu = c.GetContextMenu();
        if (!menu)
            return;
        operateMenu(d, *menu, c);
    });
}

} // namespace

void addCommonOperations(OperationTable &t)
{
    addPlacement(t);
    addState(t);
    addPopups(t);
}
