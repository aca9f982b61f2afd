#pragma once

#include <QProgressBar>

namespace AUILib {

class ProgressBarQt : public QProgressBar
{
    Q_OBJECT

public:
    explicit ProgressBarQt(QWidget *parent = nullptr);
};

} // namespace AUILib
