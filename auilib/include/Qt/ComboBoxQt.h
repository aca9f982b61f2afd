#pragma once

#include <QComboBox>

#include <string>

namespace AUILib {

class ComboBoxQt : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBoxQt(QWidget *parent = nullptr);

signals:
    void onPaste(std::wstring text);
    void onCurrentIndexSelected(int id);
};

} // namespace AUILib
