#pragma once

#include <QStyledItemDelegate>

namespace AUILib {

// Paints the rows of a virtual tree: a label with a bold range is drawn in up
// to three parts, the range in bold. Every row gets one common height, the
// tallest seen so far (22 at least).
class VirtualTreeDelegate : public QStyledItemDelegate
{
public:
    explicit VirtualTreeDelegate(QObject *parent);
    ~VirtualTreeDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    int RowHeight() const { return m_rowHeight; }

    // The parts of `text` a bold range (start, end, both inclusive) cuts it
    // into: before, inside, after.
    static QStringList BoldParts(const QString &text, int start, int end);

private:
    mutable int m_rowHeight = 22;
};

} // namespace AUILib
