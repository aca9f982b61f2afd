#pragma once

#include <QScrollBar>

namespace AUILib {

class ScrollBarQt : public QScrollBar
{
    Q_OBJECT

public:
    explicit ScrollBarQt(QWidget *parent = nullptr);
};

} // namespace AUILib
