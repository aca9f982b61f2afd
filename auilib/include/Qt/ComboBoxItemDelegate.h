#pragma once

#include "ComboBoxImpl.h"

#include <QPointer>
#include <QStyledItemDelegate>

namespace AUILib {

// Header rows are drawn bold in Arial on the combo box's dark colour,
// separator rows as one line, other rows as the style draws them; every row is
// as tall as its own font.
class ComboBox::impl::ItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // `combo` is the combo box's widget, the delegate's parent.
    explicit ItemDelegate(QWidget *combo);
    ~ItemDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPointer<QWidget> m_combo;
};

} // namespace AUILib
