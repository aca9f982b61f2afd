#pragma once

#include <QWidget>

namespace AUILib {

class ChildDialogQt : public QWidget
{
    Q_OBJECT

public:
    explicit ChildDialogQt(QWidget *parent = nullptr);
};

} // namespace AUILib
