#pragma once

#include <QFrame>
#include <QTextCursor>

namespace AUILib {

// What the multi-line and the rich edit share of their widgets (a
// QPlainTextEdit, a QTextEdit).

// The style flags of a text edit: 1 read-only, 2 frame, 4 visible, 8 word wrap.
enum TextEditStyle : int {
    TextEditReadOnly = 1,
    TextEditFrame = 2,
    TextEditVisible = 4,
    TextEditWordWrap = 8,
};

// Adds the flags of `add`, then removes those of `remove`, so a flag in both
// ends up removed.
template <class Edit>
void ApplyTextEditStyle(Edit *edit, int remove, int add)
{
    const auto apply = [edit](int flags, bool on) {
        if (flags & TextEditVisible)
            edit->setVisible(on);
        if (flags & TextEditReadOnly)
            edit->setReadOnly(on);
        if (flags & TextEditFrame)
            edit->setFrameStyle(on ? QFrame::StyledPanel : QFrame::NoFrame);
        if (flags & TextEditWordWrap)
            edit->setLineWrapMode(on ? Edit::WidgetWidth : Edit::NoWrap);
    };
    apply(add, true);
    apply(remove, false);
}

// `cursor` without its selection, moved to `start` and, when `end` lies after
// it, selecting up to `end` (-1: the end of the text). Positions past the text
// stop at its end; a negative start leaves the cursor where it was.
QTextCursor SelectCharacters(QTextCursor cursor, long long start, long long end);

} // namespace AUILib
