#pragma once

#include "BaseImplQt.h"
#include "HyperLinkElement.h"
#include "HyperLinkElementQt.h"

#include <string>

namespace AUILib {

// Drives the widget it makes, a HyperLinkElementQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class HyperLinkElementImpl : public BaseImplQt
{
public:
    explicit HyperLinkElementImpl(HyperLinkElement *owner);
    ~HyperLinkElementImpl() override;

    void SetURL(const std::wstring &url) { m_url = url; }
    void SetText(const std::wstring &text);
    const std::wstring &GetURL() const { return m_url; }
    const std::wstring &GetText() const { return m_text; }
    void SetbDefaultClickProcess(bool fireEvent);
    void SetColors(RGBColor link, RGBColor visited, RGBColor hover);
    RGBColor GetLinkColor() const { return m_linkColor; }
    RGBColor GetVisitedColor() const { return m_visitedColor; }
    RGBColor GetHoverColor() const { return m_hoverColor; }
    void SetVisited(bool visited);
    bool GetVisited() const { return m_visited; }
    void SetUnderline(bool underline) { m_underline = underline; }
    bool GetUnderline() const { return m_underline; }

    // Shows the link in `color`: an anchor when underlined, else plain
    // coloured text. A text the widget got elsewhere (from a form) is adopted
    // first when none was set.
    void BuildLink(RGBColor color, bool underline);
    // The colour when the mouse is not over the link.
    RGBColor RestingColor() const { return m_visited ? m_visitedColor : m_linkColor; }
    // Activation by mnemonic: opens the URL or fires the event.
    void Activate();

    // "#aarrggbb".
    static QString ColorName(RGBColor color);

private:
    // The widget, for the operations that throw once it is gone.
    HyperLinkElementQt *label();
    void rebuildAndRepaint();

    std::wstring m_text;
    std::wstring m_url;
    RGBColor m_linkColor;
    RGBColor m_visitedColor;
    RGBColor m_hoverColor;
    bool m_visited = false;
    bool m_hovered = false;
    bool m_underline = true;
    // The markup last shown: never mistaken for a text of the widget's own.
    QString m_markup;
};

} // namespace AUILib
