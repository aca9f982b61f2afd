#pragma once

#include <QTreeView>

namespace AUILib {

class TreeViewQt : public QTreeView
{
    Q_OBJECT

public:
    explicit TreeViewQt(QWidget *parent = nullptr);
};

} // namespace AUILib
