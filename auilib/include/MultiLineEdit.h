#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A multi-line plain-text edit with a length limit, a height that can follow
// its lines, style flags and selection by character positions. Its widget is
// made without a parent; Create places it.
class MultiLineEdit : public BaseGUIObject
{
public:
    // Style flags, combined as a bit set.
    enum flag : int { ReadOnly = 1, Frame = 2, Visible = 4, WordWrap = 8 };
    // Of the vertical scroll bar; any other value shows it as needed.
    enum ScrollBarPolicy : int { ScrollBarAsNeeded = 0, ScrollBarNever = 1, ScrollBarAlways = 2 };
    // Character positions; an end of -1 runs to the end of the text.
    struct Selection
    {
        long long start = 0;
        long long end = 0;
    };

    MultiLineEdit();
    ~MultiLineEdit() override;

    // After every change of the text, whoever made it.
    EventSignal<void()> OnTextChanged;
    // After a change SetText did not make; before OnTextChanged.
    EventSignal<void()> OnTextEdited;
    EventSignal<void()> OnFocusLost;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    // The flags to add are applied first, then those to remove: a flag in both
    // ends up removed.
    void SetStyle(int remove, int add);
    void SetScrollBarPolicy(ScrollBarPolicy policy);
    Selection GetSel();
    // A start after the end only places the cursor; a negative start only
    // clears the selection.
    void SetSel(Selection selection);
    // The height follows the number of lines, at once and after every change.
    void SetAdaptiveHeight(bool adaptive);
    // Longer text is cut to `limit` characters, the ones just typed or pasted
    // first. 0 and negative values are ignored: a limit stays once set.
    void SetLimitText(int limit);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
