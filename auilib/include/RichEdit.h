#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A multi-line edit of formatted text: plain text in and out, and the character
// format of the selection. Pasting rich text is off until setAcceptRichText.
// Its widget is made without a parent; Create places it.
class RichEdit : public BaseGUIObject
{
public:
    // Style flags, combined as a bit set.
    enum flag : int { ReadOnly = 1, Frame = 2, Visible = 4, WordWrap = 8 };
    // Character positions; an end of -1 runs to the end of the text.
    struct Selection
    {
        long long start = 0;
        long long end = 0;
    };
    // The trailing underscore is the interface's name; callers use it.
    struct CharFormat_
    {
        enum Effect : int { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

        int pointSize = -1;  // -1: not set
        int color = -1;      // 0x00RRGGBB; -1: not set
        int effects = 0;     // Effect bits
        std::wstring faceName; // empty: not set
    };

    RichEdit();
    ~RichEdit() override;

    // On every change of the text, formats included.
    EventSignal<void()> OnTextChanged;
    // First, on every change SetText did not make.
    EventSignal<void()> OnTextEdited;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    // The flags to add are applied first, then those to remove.
    void SetStyle(int remove, int add);
    Selection GetSel();
    void SetSel(Selection selection);
    CharFormat_ GetSelectionCharFormat();
    // Replaces the character format of a non-empty selection: what the format
    // leaves unset returns to the document's default.
    void SetSelectionCharFormat(CharFormat_ format);
    bool acceptRichText() const;
    void setAcceptRichText(bool accept);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
