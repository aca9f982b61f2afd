#pragma once

#include <QScrollArea>

namespace AUILib {

class ScrollAreaQt : public QScrollArea
{
    Q_OBJECT

public:
    explicit ScrollAreaQt(QWidget *parent = nullptr);
};

} // namespace AUILib
