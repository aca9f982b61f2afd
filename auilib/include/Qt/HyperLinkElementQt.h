#pragma once

#include <QLabel>

namespace AUILib {

class HyperLinkElementQt : public QLabel
{
    Q_OBJECT

public:
    explicit HyperLinkElementQt(QWidget *parent = nullptr);
};

} // namespace AUILib
