#pragma once

#include <QTabWidget>

namespace AUILib {

class TabViewQt : public QTabWidget
{
    Q_OBJECT

public:
    explicit TabViewQt(QWidget *parent = nullptr);
};

} // namespace AUILib
