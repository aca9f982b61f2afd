#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"
#include "FontData.h"
#include "any.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A drop-down list with an optional text field. Beyond a plain combo box it
// has header and separator rows, disabled rows, per-row fonts and pictures,
// application data per row, numbers-only typing, a balloon on the text field,
// a context menu whose paste is reported, and arrow keys that report only the
// rows they can select. Its widget is made without a parent; Create places it.
// Once Qt has deleted the widget every operation does nothing and answers a
// neutral value (0, -1, false, an empty text or value).
class ComboBox : public BaseGUIObject
{
public:
    ComboBox();
    ~ComboBox() override;

    // The current row changed, by the user or by code: the new row.
    EventSignal<void(int)> OnSelectionChanged;
    // The text of the field changed: the text after correction.
    EventSignal<void(std::wstring)> OnTextChanged;
    // As OnTextChanged, but not for SetCurrentText.
    EventSignal<void(std::wstring)> OnTextEdited;
    // Every change of the field's text: the text before and after.
    EventSignal<void(std::wstring, std::wstring)> OnTextReplaced;
    // Something was pasted into the field: the whole field text afterwards.
    EventSignal<void(std::wstring)> OnPaste;
    // Up or Down moved the current row onto a row that can be selected.
    EventSignal<void(int)> OnItemSelected;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Appends; the result is the row used.
    virtual int AddItem(const std::wstring &text, const any &data);
    // An empty text appends a separator line, any other a header row.
    virtual int AddSeparator(const std::wstring &text, const any &data);
    virtual void SetSeparatorColor(RGBColor color); // no effect
    // The row is clamped into 0..Count(); the result is the row used.
    virtual int InsertItem(int index, const std::wstring &text, const any &data);
    virtual int InsertSeparator(int index, const std::wstring &text, const any &data);
    // Every picture is shown at the size of the first one that could be scaled,
    // with the scaling given with that first picture. The kind has no effect.
    virtual void AddPicture(int index, const std::wstring &path, ScalePicture scale, Size size, BitmapType kind);
    // Null bytes remove the row's picture.
    virtual void AddPicture(int index, const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale,
                            Size size, BitmapType kind);
    virtual void AddButton(int index, const std::wstring &path);                                      // no effect
    virtual void AddButton(int index, const unsigned char *bytes, int length, ImageTypes type);      // no effect
    virtual void SetCurSel(int index);
    virtual int GetCurSel();
    virtual std::wstring GetItemText(int index);
    virtual std::wstring CurrentText();
    // Fires OnTextChanged and OnTextReplaced, but not OnTextEdited.
    virtual void SetCurrentText(const std::wstring &text);
    virtual void Clear();
    virtual int Count();
    // A copy of the row's data; empty for a row without data.
    virtual any GetItemData(int index);
    // False for a row that does not exist.
    virtual bool SetItemData(int index, const any &data);
    // True when the row had data.
    virtual bool RemoveItemData(int index);
    // Limits the field to whole numbers; corrected into min..max as typed.
    virtual void OnlyNumbers(bool enable, int min, int max);
    virtual void SetMaxVisibleItems(int count);
    virtual int GetMaxVisibleItems();
    // The first row after startAfter whose text starts with `text` in any
    // letter case, wrapping to the top; -1 when none.
    virtual int FindString(const std::wstring &text, int startAfter);
    virtual void AdjustItemWidth();
    // Inline, case-insensitive completion from the rows.
    virtual void SetAutoComplete(bool enable);
    virtual bool IsAutoComplete();
    // The text-field operations do nothing (or answer -1) without a text field.
    virtual void SetEditSel(int start, int length);
    virtual int SelectionLength();
    virtual int SelectionStart();
    virtual void SetCaretPosition(int position);
    virtual int GetCaretPosition();
    virtual void ShowDropDown(bool show);
    // The colours are opaque 0xRRGGBB values; each call adds its rules.
    virtual void SetTextColor(unsigned int color);
    virtual void SetSelectedItemTextColor(unsigned int color);
    virtual void SetSelectedItemBgColor(RGBColor color);                                        // no effect
    virtual void SetBackgroundColor(unsigned int normal, unsigned int hover, unsigned int pressed); // no effect
    virtual void SetDropDownButtonBackgroundColor(unsigned int color);                          // no effect
    virtual void ResetDropDownButtonBackgroundColor();                                          // no effect

    // The whole combo box's font.
    void SetFont(FontData font);
    // Disabling the current row leaves no row current.
    void DisableItem(int index, bool disable);
    bool IsItemDisabled(int index);
    // Only the fields `font` sets change; the row keeps its others.
    void SetItemFont(int index, FontData &font);
    // Fields the row's font does not have are unset (-1, -1.0, empty).
    FontData GetItemFont(int index);
    void SetEditable(bool editable);
    // Draws the closed combo box as a text field; needs a text field.
    void EnableEditListMode(bool enable);
    bool GetDroppedState();
    // A balloon under the text field for 3 seconds; false without a text field.
    bool ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon);
    bool HideBalloonTip();
    void SetBorderRadius(int radius); // no effect
    // Enter adds the typed text as a new last row (editable combo boxes only).
    void SetAddToListOnEnterKey(bool add);
    void DeleteString(int index);
    QWidget *GetWndPtr();

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
