#pragma once

#include <QSlider>

namespace AUILib {

class SliderQt : public QSlider
{
    Q_OBJECT

public:
    explicit SliderQt(QWidget *parent = nullptr);
};

} // namespace AUILib
