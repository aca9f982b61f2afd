#include "TextEdits.h"

#include <QTextDocument>

#include <algorithm>

namespace AUILib {

QTextCursor SelectCharacters(QTextCursor cursor, long long start, long long end)
{
    cursor.clearSelection();
    if (!cursor.document())
        return cursor;
    const long long length = cursor.document()->characterCount() - 1;
    if (end == -1)
        end = length;
    if (start < 0 || end < 0)
        return cursor;
    start = std::min(start, length);
    end = std::min(end, length);
    cursor.setPosition(static_cast<int>(start));
    if (start < end)
        cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, static_cast<int>(end - start));
    return cursor;
}

} // namespace AUILib
