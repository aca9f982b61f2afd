#pragma once

#include <QPlainTextEdit>

namespace AUILib {

class MultiLineEditQt : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MultiLineEditQt(QWidget *parent = nullptr);
};

} // namespace AUILib
