#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"
#include "FontData.h"

#include <cstdint>
#include <memory>
#include <string>

class QPushButton;
class QWidget;

namespace AUILib {

class ContextMenu;

// A push button: one it makes itself, or a push button that already exists (one
// of a form or of a button box), which it only drives. Either way the widget
// belongs to its Qt parent. Its looks are style sheets: a style picks one of
// the stored sheets, the colour, border, radius and focus-frame setters edit
// the sheet the button last got. Operations that need the widget do nothing
// (or answer a neutral value) once it is gone.
class Button : public BaseGUIObject
{
public:
    enum ButtonStyle : std::int32_t {
        StyleNone = 0,          // never styled: the widget keeps its own look
        StyleText = 1,          // borderless text
        StyleTextAndIcon = 2,   // borderless, icon above the text
        StyleIcon = 3,          // borderless, icon only
        StyleRounded = 4,       // grey frame, re-rounded to half the height on every resize
        StyleAdd = 5,           // text shown after "+ "
        StyleHoverBorder = 6,   // transparent, framed while hovered
        StyleLink = 7,          // underlined text, a focus frame for the keyboard only
        StyleRoundedFixed = 8,  // grey frame, rounded once
        StyleRoundedTextAndIcon = 9,
    };

    Button();
    explicit Button(QPushButton *existing);
    ~Button() override;

    // Fired on every click of the widget, after the drop-down menu (if any) closed.
    EventSignal<void()> OnClicked;

    // Places the widget; the parent is not stored.
    bool Create(QWidget *parent) override;
    Size IdealSize() override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;
    SkinManager *GetSkinManager() override;

    // Makes the button checkable first when it is not.
    virtual void SetChecked(bool checked);
    virtual bool GetCheck();
    // The int is the wanted width of an icon file's picture; the flag has no effect.
    virtual void LoadPicture(const std::wstring &path, ScalePicture scale, int iconWidth, bool unused);
    virtual void LoadPicture(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale,
                             int iconWidth, bool unused);
    virtual void LoadPictureDisabled(const std::wstring &path, ScalePicture scale, int iconWidth, bool unused);
    virtual void LoadPictureDisabled(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale,
                                     int iconWidth, bool unused);
    // No effect.
    virtual void GeneratePictureDisabled(bool generate);
    // The same as SetStyle.
    virtual void UseTextAndIcon(ButtonStyle style);
    virtual void SetStyle(ButtonStyle style);
    virtual ButtonStyle GetStyle();
    // 0x00RRGGBB; the alpha byte is ignored.
    virtual void SetTextColor(int color);

    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    void SetTextColor(RGBColor normal, RGBColor disabled);
    // allStates: every state, border included, gets the colour (made opaque);
    // otherwise only the normal and hover backgrounds (alpha ignored).
    void SetBackgroundColor(unsigned int color, bool allStates);
    // A focus or pressed colour of 0xFFFFFFFF takes the hover or the normal colour.
    void SetBackgroundColor(RGBColor normal, RGBColor hover, RGBColor disabled, RGBColor focus, RGBColor pressed);
    void SetBorderColor(RGBColor normal, RGBColor hover, RGBColor disabled);
    // Below 1: half the button's height.
    void SetRoundedButtonCornerRadius(int radius);
    int GetRoundedButtonCornerRadius();
    void SetFont(FontData &font);
    FontData GetFont();
    void DisableFocusRect(bool disable);
    bool IsDisableFocusRect();
    // A click pops the menu up under the button before OnClicked fires;
    // showArrow draws a small triangle at the bottom of the button.
    void InsertMenuBar(std::shared_ptr<ContextMenu> menu, bool showArrow);
    void RemoveMenuBar();
    // No effect: buttons are always flat.
    void Use3dStyle();

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
