#pragma once

#include "BaseImpl.h"

#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace AUILib {

class BaseGUIObject;
class PromptsPopup;

// A tool tip shown over part of a widget. The area is in widget coordinates
// with inclusive edges.
struct ToolTipRecord
{
    QString key;
    QString text;
    QRect area;
};

struct ToolTipRegion
{
    std::shared_ptr<BaseGUIObject> control; // empty for the dialog's own entry
    std::unique_ptr<ToolTipRecord> record;
};

// The Qt bodies of the common control operations, written once against the
// control's QWidget. A concrete implementation keeps a QPointer to its widget,
// returns it from GetWidget and overrides what differs.
class BaseImplQt : public BaseImpl
{
public:
    BaseImplQt();
    ~BaseImplQt() override;

    void Show(bool show, bool repaint) override;
    bool IsVisible() override;
    void Enable(bool enable, bool withChildren) override;
    bool IsEnabled() override;
    int GetLogicalPixelsX() override;
    int GetLogicalPixelsY() override;
    Rect GetWindowRect() override;
    Rect GetClientRect() override;
    Point ScreenToClient(Point point) override;
    Point ClientToScreen(Point point) override;
    Size IdealSize() override;
    Size MinimumIdealSize() override;
    Size MinimumSize() override;
    Size MaximumSize() override;
    void SetMinimumSize(const Size &size) override;
    void SetMaximumSize(const Size &size) override;
    void MoveWindow(int x, int y, int width, int height, bool repaint) override;
    int GetFrarmeWidth() override;
    int SetTimer(unsigned int id, unsigned int milliseconds) override;
    void KillTimer(unsigned int id) override;
    void Update() override;
    void Update(const Region &region) override;
    void Repaint() override;
    void Repaint(const Region &region) override;
    SizePolicy GetSizePolicy() override;
    void SetSizePolicy(const SizePolicy &policy) override;
    void SetAcceptDrops(bool accept) override;
    bool IsAcceptDrops() override;
    void SetTrackMouseEvent() override;
    bool IsTrackMouseEvent() override;
    void SetTrackMouseFlag(bool track) override;
    int GetWidthForText(std::wstring &text, FontData *font) override;
    bool ShowBalloonTipEx(const std::wstring &text, const std::wstring &iconPath, bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &text, const unsigned char *iconBytes, int byteCount, bool unused,
                          bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &text, BalloonTipIconType icon, bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const std::wstring &iconPath,
                          bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const unsigned char *iconBytes,
                          int byteCount, bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon, bool unused,
                          bool persistent) override;
    bool HideBalloonTipEx() override;
    bool IsBalloonTipDisplayed() override;
    void OnSkinChange() override;
    bool ShowCustomToolTip(const QPoint &globalPos) override;
    bool SetParent(QWidget *parent) override;
    void ReservedOperation() override;
    std::int32_t *ReservedField() override;

    // The event bridge shows the text of the first region containing the cursor.
    std::vector<ToolTipRegion> &ToolTipRegions() { return m_toolTipRegions; }

protected:
    // The widget, or AgnosticUIException("Control is not valid.").
    QWidget *widgetOrThrow();

    // Null (0, 0, -1, -1) until MoveWindow or hiding a dialog stores one.
    QRect m_savedGeometry;

private:
    // Creates the balloon on first use, prepares it, lets `decorate` set title
    // and icon, and shows it; false when the balloon refuses (no widget).
    bool showBalloon(const std::wstring &text, bool persistent, bool closeOnInteraction,
                     const std::function<void(PromptsPopup &)> &decorate);

    std::vector<ToolTipRegion> m_toolTipRegions;
    std::int32_t m_reserved = 0;
    bool m_trackMouse = false;
    bool m_acceptDrops = false;
    std::shared_ptr<PromptsPopup> m_balloon;
};

} // namespace AUILib
