#pragma once

#include <QStackedWidget>

namespace AUILib {

class StackedDialogQt : public QStackedWidget
{
    Q_OBJECT

public:
    explicit StackedDialogQt(QWidget *parent = nullptr);
};

} // namespace AUILib
