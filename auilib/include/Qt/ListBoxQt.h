#pragma once

#include <QTableWidget>

namespace AUILib {

class ListBoxQt : public QTableWidget
{
    Q_OBJECT

public:
    explicit ListBoxQt(QWidget *parent = nullptr);
};

} // namespace AUILib
