#pragma once

#include "BaseImplQt.h"
#include "Button.h"
#include "ButtonSheets.h"

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QVBoxLayout>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace AUILib {

class ButtonQt;
class ContextMenu;

// The size a picture is shown at on a button: its own when it fits, else its
// size in logical pixels (a picture larger than the button is taken to be one
// of the screen's device pixels).
QSize FittedIconSize(const QSize &picture, const QSize &button);

// Drives its push button: one it makes (a ButtonQt, placed by Create or a
// form), or one that exists (a button box's standard button), which stays its
// owner's. The button's look is the style sheet `currentSheet`, kept with its
// "\u3A" escapes; a button inside the toolkit's button box hands it to the box
// instead of setting it, one inside any other button box is left alone.
class Button::impl : public BaseImplQt
{
public:
    // A null `existing` makes a new button.
    impl(Button *owner, QPushButton *existing);
    ~impl() override;

    // A disabled button hears no mouse or wheel events.
    bool TakesMouseEventsWhenDisabled() const override;

    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    void SetChecked(bool checked);
    bool GetCheck() const;

    void SetStyle(ButtonStyle style);
    ButtonStyle GetStyle() const { return m_style; }

    void SetTextColor(int color);
    void SetTextColor(RGBColor normal, RGBColor disabled);
    void SetBackgroundColor(unsigned int color, bool allStates);
    void SetBackgroundColor(RGBColor normal, RGBColor hover, RGBColor disabled, RGBColor focus, RGBColor pressed);
    void SetBorderColor(RGBColor normal, RGBColor hover, RGBColor disabled);
    void SetRoundedButtonCornerRadius(int radius);
    int GetRoundedButtonCornerRadius() const { return m_cornerRadius; }
    void DisableFocusRect(bool disable);
    bool IsDisableFocusRect() const { return m_focusRectDisabled; }
    void SetFont(const FontData &font);
    FontData GetFont() const;

    // `disabled` picks the disabled picture.
    void LoadPicture(const QPixmap &loaded, ScalePicture scale, bool disabled);

    void InsertMenuBar(std::shared_ptr<ContextMenu> menu, bool showArrow);
    void RemoveMenuBar();

    // The sheet the button last got, escapes included; empty while never styled.
    const QString &CurrentSheet() const { return m_currentSheet; }
    const ButtonSheets &Sheets() const { return m_sheets; }
    QColor TextColor() const { return m_textColor; }
    QColor DisabledTextColor() const { return m_disabledTextColor; }
    bool ShowsMenuArrow() const { return m_showMenuArrow; }
    // The rounded style's resize handling edits the widget's sheet itself.
    void TakeSheetFromWidget();
    // The text-and-icon layout's labels; null until the layout is made.
    QLabel *IconLabel() const { return m_iconLabel; }
    QLabel *TextLabel() const { return m_textLabel; }

private:
    using Edits = std::vector<std::pair<QString, QString>>; // (selector, value) of one property

    QPushButton *button() const { return WidgetAs<QPushButton>(); }
    void onClicked();
    // Gives the button `sheet` (see the class comment).
    void apply(const QString &sheet);
    // Sets `name` in the rules of each selector, starting from the sheet the
    // button last got or, never styled by this control, from the widget's own
    // (a form's styling stays). Adds no rule or property; an edit that changes
    // nothing is not applied.
    void edit(const QString &name, const Edits &edits);
    void edit(const QString &selector, const QString &name, const QString &value);
    // The default sheet before the first colour edit of a button without any sheet.
    void ensureDefaultSheet();
    void makeTextAndIconLayout();
    void showPictureInLayout(const QPixmap &picture);
    void moveTextIntoLayout();
    bool insideButtonBox() const;
    int halfHeight() const;
    void repaint();

    std::shared_ptr<ContextMenu> m_menu;
    bool m_showMenuArrow = false;
    QString m_currentSheet;
    QColor m_textColor;
    QColor m_disabledTextColor;
    // Nothing sets it: every sheet or picture makes the button flat.
    bool m_flat3D = false;
    ButtonStyle m_style = StyleNone;
    // The add style's "+ " is on the widget's text.
    bool m_addPrefixShown = false;
    QPointer<QLabel> m_iconLabel;
    QPointer<QLabel> m_textLabel;
    QPointer<QVBoxLayout> m_layout;
    QIcon m_icon;
    QPixmap m_picture;
    QPixmap m_disabledPicture;
    int m_cornerRadius = 0;
    bool m_focusRectDisabled = false;
    ButtonStateColors m_colors;
    ButtonSheets m_sheets;
};

} // namespace AUILib
