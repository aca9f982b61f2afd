#pragma once

#include <QComboBox>

namespace AUILib {

class ComboBoxFSQt : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBoxFSQt(QWidget *parent = nullptr);
};

} // namespace AUILib
