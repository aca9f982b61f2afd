#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"
#include "FontData.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A static text or picture. The text may be rich, may carry one hyperlink
// (text before it, the link's text, text after it and a URL), may be cut with
// an ellipsis (the link staying clickable) and may get a line spacing. Its
// widget is made without a parent; Create places it. Every operation that
// needs the widget throws AgnosticUIException("Control is not valid.") once it
// is gone.
class Label : public BaseGUIObject
{
public:
    Label();
    ~Label() override;

    // Fired when the hyperlink is activated and the label does not open the URL itself.
    EventSignal<void()> OnLinkActivated;

    bool Create(QWidget *parent) override;
    Size IdealSize() override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;
    SkinManager *GetSkinManager() override;

    // The widget, null once it is gone (never throws).
    QWidget *GetWndPtr();

    // Replaces the text, the source of every later layout; the flag has no effect.
    void SetText(const std::wstring &text, bool unused);
    // One rich text with a link to url ("#" when empty) between before and after.
    void SetText(const std::wstring &before, const std::wstring &link, const std::wstring &after,
                 const std::wstring &url);
    // The text as given while an ellipsis or a line spacing reworks it for the
    // widget; otherwise the widget's text.
    std::wstring GetText() const;
    // Only the link colour shows; a label without a link just keeps it.
    void SetHyperlinkColors(RGBColor link, RGBColor visited, RGBColor hover);
    bool HasHyperlink();
    // The misspelling is the interface's name; callers use it. True: a click
    // fires OnLinkActivated; false: the label opens the URL itself.
    void SetbDefaultClickProcess(bool fireEvent);
    void SetToolTip(std::wstring text);
    std::wstring GetToolTip();
    void SetFont(FontData font);
    FontData GetFont();
    void SetTextAlign(TextAlign align);
    TextAlign GetTextAlign();
    void SetVCenter(bool center);
    bool GetVCenter();
    // 0xAARRGGBB; the getters answer -1 while never set.
    void SetBackgroundColor(int color);
    int GetBackgroundColor();
    void SetTextColor(int color);
    int GetTextColor();
    // A picture, or a GIF animation that PlayGif starts. iconSize is the width
    // wanted of an icon file (below 1: the label's smaller side).
    void LoadPicture(const std::wstring &path, ScalePicture scale, int iconSize);
    void LoadPicture(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale, int iconSize);
    // False when the label has no valid animation.
    bool PlayGif();
    bool StopGif();
    // Shows the text drawn into a picture of the label's size.
    void DrawTxt(const std::wstring &text);
    void SetBorder();
    // Wrapping ends the ellipsis.
    void SetWordWrap(bool wrap);
    // A percentage; the text is then laid out as one paragraph.
    void SetLineSpacing(int percent);
    // Cuts a text wider than the label with "…"; turning it on ends word wrap.
    void TruncateTextToEllipses(bool truncate);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
