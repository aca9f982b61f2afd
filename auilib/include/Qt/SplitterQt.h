#pragma once

#include <QSplitter>

namespace AUILib {

class SplitterQt : public QSplitter
{
    Q_OBJECT

public:
    explicit SplitterQt(QWidget *parent = nullptr);
};

} // namespace AUILib
