#pragma once

#include <QFrame>

namespace AUILib {

class LineQt : public QFrame
{
    Q_OBJECT

public:
    explicit LineQt(QWidget *parent = nullptr);
};

} // namespace AUILib
