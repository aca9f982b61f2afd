#pragma once

#include <QWidget>

namespace AUILib {

class DrawElementQt : public QWidget
{
    Q_OBJECT

public:
    explicit DrawElementQt(QWidget *parent = nullptr);
};

} // namespace AUILib
