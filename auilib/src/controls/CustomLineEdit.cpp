#include "CustomLineEdit.h"

#include <QRegExp>
#include <QRegExpValidator>

namespace AUILib {

CustomLineEdit::CustomLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new QRegExpValidator(
        QRegExp(QStringLiteral("(\\d+)?p?(\\d+)?(\\.?\\d+)?"), Qt::CaseSensitive, QRegExp::RegExp), this));
}

} // namespace AUILib
