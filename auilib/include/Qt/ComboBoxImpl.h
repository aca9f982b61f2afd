#pragma once

#include "BaseImplQt.h"
#include "ComboBox.h"
#include "ComboBoxQt.h"
#include "ItemDataTable.h"
#include "OnlyNumbersSettings.h"
#include "ReportRound.h"

#include <QPointer>
#include <QSize>

#include <memory>
#include <string>

class QPixmap;

namespace AUILib {

class PromptsPopup;

// Drives the widget it makes, a ComboBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ComboBox::impl : public BaseImplQt
{
public:
    // Paints header rows (bold on a dark band), separator lines and plain rows,
    // each as tall as its own font.
    class ItemDelegate;

    explicit impl(ComboBox *owner);
    ~impl() override;

    int InsertItem(int index, const std::wstring &text, const any &data);
    int InsertSeparator(int index, const std::wstring &text, const any &data);
    void AddPicture(int index, const std::wstring &path, ScalePicture scale, Size size);
    void AddPicture(int index, const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale, Size size);
    void SetCurSel(int index);
    int GetCurSel() const;
    std::wstring GetItemText(int index) const;
    std::wstring CurrentText() const;
    void SetCurrentText(const std::wstring &text);
    void Clear();
    int Count() const;
    any GetItemData(int index) const;
    bool SetItemData(int index, const any &data);
    bool RemoveItemData(int index);
    void OnlyNumbers(bool enable, int min, int max);
    void SetMaxVisibleItems(int count);
    int GetMaxVisibleItems() const;
    int FindString(const std::wstring &text, int startAfter) const;
    void AdjustItemWidth();
    void SetAutoComplete(bool enable);
    bool IsAutoComplete() const;
    void SetEditSel(int start, int length);
    int SelectionLength() const;
    int SelectionStart() const;
    void SetCaretPosition(int position);
    int GetCaretPosition() const;
    void ShowDropDown(bool show);
    void SetTextColor(unsigned int color);
    void SetSelectedItemTextColor(unsigned int color);
    void SetFont(const FontData &font);
    void DisableItem(int index, bool disable);
    bool IsItemDisabled(int index) const;
    void SetItemFont(int index, const FontData &font);
    FontData GetItemFont(int index) const;
    void SetEditable(bool editable);
    void EnableEditListMode(bool enable);
    bool GetDroppedState() const;
    bool ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon);
    bool HideBalloonTip();
    void SetAddToListOnEnterKey(bool add);
    void DeleteString(int index);
    QWidget *GetWndPtr() const;

private:
    ComboBoxQt *combo() const { return WidgetAs<ComboBoxQt>(); }
    // The row's model index in the column the combo box shows, invalid for a
    // row that does not exist.
    QModelIndex rowIndex(int row) const;
    // Inserts a row (the index bounded to the rows there are) and answers it;
    // the caller holds events.
    QModelIndex insertRow(int index, const std::wstring &text, const any &data);
    // Makes the row a header: drawn bold on a dark band, never chosen.
    void markHeader(const QModelIndex &row);
    void onEditTextChanged(const QString &text);
    // The numbers-only correction of a typed text; nothing while it is off.
    void correctNumber(std::wstring &text);
    void followItemFont(int index);
    void showPicture(int index, const QPixmap &picture, ScalePicture scale);
    void appendStyleSheet(const QString &rules);

    QPointer<ItemDelegate> m_delegate;
    OnlyNumbersSettings m_numbers;
    ItemDataTable m_itemData;
    // Fixed by the first picture that could be scaled; every later one follows.
    QSize m_pictureSize{0, 0};
    ScalePicture m_pictureScale = static_cast<ScalePicture>(0);
    std::shared_ptr<PromptsPopup> m_balloon;
    std::wstring m_previousText;
    // Raised while SetCurrentText writes the field: no OnTextEdited then.
    bool m_settingText = false;
    // Raised while a corrected text is written back, so that the write
    // reports nothing of its own.
    bool m_writingCorrection = false;
    // Counts the reports of text changes: a report stops once a handler's
    // change of the field started a newer one.
    ReportRound m_textRound;
};

} // namespace AUILib
