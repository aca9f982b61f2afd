#pragma once

#include <QLineEdit>

namespace AUILib {

// The line edit of a spin edit in the pica mode: it takes picas, an optional
// "p", points and an optional fraction of a point ("1p6.5").
class CustomLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CustomLineEdit(QWidget *parent);
};

} // namespace AUILib
