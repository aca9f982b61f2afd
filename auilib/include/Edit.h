#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace AUILib {

class PromptsPopup;

// A single-line text field. Besides plain text it keeps a suffix at the end of
// its text while the user types, restricts the text to a number within a range
// (with balloons the application words), completes words from a list, offers a
// clickable button with a normal and a hover icon at its trailing end, reports
// pasted text, and shows either the line edit's standard context menu (its
// paste entry going through the edit's paste path) or a menu inserted with
// InsertContextMenu. Its widget is made without a parent; Create places it.
class Edit : public BaseGUIObject
{
public:
    enum PasswordMode : std::int32_t {
        PasswordModeNormal = 0,
        PasswordModePassword = 1,
    };

    Edit();
    ~Edit() override;

    EventSignal<void()> OnExtendedButtonClicked;
    // After every change, by the user or the program, with the text the field
    // shows once the suffix and the number rules have had their say.
    EventSignal<void(std::wstring)> OnTextChanged;
    // For the user's changes only, with the text as typed.
    EventSignal<void(std::wstring)> OnTextEdited;
    EventSignal<void()> OnFocusLost;
    // Before any context menu is built, also when none follows.
    EventSignal<void()> OnContextMenu;
    // With the clipboard text, before it is inserted; never for an empty clipboard.
    EventSignal<void(std::wstring)> OnPaste;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // The line edit, or null when it is gone.
    QWidget *GetWndPtr() const;

    // Shows the text from its start, nothing selected. With a suffix set, the
    // text is the number: the suffix is added (a text that ends with it already
    // keeps it once).
    void SetText(const std::wstring &text);
    // The whole text the field shows, suffix included; both are the same.
    std::wstring GetText() const;
    std::wstring GetTextRaw() const;

    virtual void SetTextAlign(TextAlign align);
    virtual void SetSelectAll();
    virtual void SetFocus();
    virtual void SetLimitText(int length);
    virtual void SetReadOnly(bool readOnly);
    virtual bool IsReadOnly();

    // Numbers only; the rules run on the next change of the text. An empty
    // popup is not shown. The range of the other mode stays as it was.
    virtual void OnlyNumbers(bool enable, int minimum, int maximum, std::shared_ptr<PromptsPopup> invalidCharPopup,
                             std::shared_ptr<PromptsPopup> outOfRangePopup);
    virtual void OnlyNumbers(bool enable, double minimum, double maximum,
                             std::shared_ptr<PromptsPopup> invalidCharPopup, int decimals);
    virtual void OnlyNumbers(bool enable, double minimum, double maximum,
                             std::shared_ptr<PromptsPopup> invalidCharPopup,
                             std::shared_ptr<PromptsPopup> outOfRangePopup, int decimals);
    // 0 off, 1 integers, 2 floating numbers.
    int IsSetOnlyNumbers() const;

    virtual void SetBackgroundColor(int rgb);
    // -1 until set.
    virtual int GetBackgroundColor();
    virtual void SetTextColor(int rgb);
    virtual void SetPlaceHolderTextColor(RGBColor rgb);
    // -1 until set.
    virtual int GetTextColor();

    void SetPasswordMode(PasswordMode mode);
    PasswordMode GetPasswordMode() const;
    void SetFrameMode(bool frame);
    bool GetFrameMode() const;
    void SetPlaceHolderText(const std::wstring &text);
    // Replaces the widget's whole style sheet with a one-pixel border of the
    // colour (its alpha ignored).
    void SetBorderColor(unsigned int rgb);
    // Per-side colours and radii are not offered by the field: these do nothing.
    void SetBorderColor(RGBColor left, RGBColor top, RGBColor right, RGBColor bottom);
    void SetBorderRadius(int radius);

    // A negative position does nothing; one past the text goes to its end. The
    // field takes the focus.
    void SetCursorPosition(int position);
    int GetCursorPosition() const;
    // A negative start counts as 0; a negative length, or one past the end,
    // selects to the end of the text.
    void SetSelection(int start, int length);
    int SelectionStart() const;
    int SelectionLength() const;

    // Completes from the words, ignoring case; replaces an earlier list.
    void SetAutoComplete(const std::vector<std::wstring> &words);
    void EnableAutoComplete(bool enable);
    // Kept at the end of the text while the user types; an empty one removes it.
    void SetSuffix(const std::wstring &suffix);

    // The edit's own balloon, apart from the number rules' ones and from
    // ShowBalloonTipEx's: shown for 3000 ms, closing when the user works in the window.
    bool ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon);
    bool HideBalloonTip();

    // The button at the trailing end; once on, it stays on.
    void EnableExtendedButton(const std::wstring &normalIconPath, const std::wstring &hoverIconPath);
    void ExtendedButtonSetImage(const std::wstring &normalIconPath, const std::wstring &hoverIconPath);
    // One icon, the hover one or the normal one, from picture bytes.
    void ExtendedButtonSetImage(const unsigned char *data, int length, ImageTypes type, bool hover);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
