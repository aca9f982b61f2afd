#pragma once

#include <QObject>
#include <QString>

// Percent-encodes text for the query of the update-check request: only ASCII
// letters and digits pass unchanged.
class COB_Update_URLEncode : public QObject
{
    Q_OBJECT
public:
    explicit COB_Update_URLEncode(QObject *parent = nullptr);

    bool IsUnsafe(QChar ch) const;
    QString ConvertToHexString(QChar ch) const;
    QString URLEncode(const QString &text) const;
    QString URLEncodeAll(const QString &text) const;

    // Every code from 0 to 255 except "0"-"9", "A"-"Z" and "a"-"z", as inclusive ranges.
    static const int m_enum_unsafe_ascii_char_range[4][2];
};
