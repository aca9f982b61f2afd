#pragma once

#include <QTextEdit>

namespace AUILib {

class RichEditQt : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
