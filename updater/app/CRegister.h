#pragma once

#include <QString>
#include <QVariant>

// Registry-style key paths ("HKEY_CURRENT_USER\Software\...") over the reader's
// property-list settings.
bool CheckIsContinue();
bool CheckSingleKeysPlist(const QString &key, QVariant &value, QVariant defaultValue,
                          QString organisation, QString application);
bool WriteSingleKeysPlist(const QString &key, const QVariant &value,
                          QString organisation, QString application);

class CRegister
{
public:
    virtual ~CRegister() = default;

    static QString regGetString(QString keyPath, QString valueName);
    static bool regSetString(QString keyPath, QString valueName, QString value);
    static quint32 regGetDword(QString keyPath, QString valueName);
    static bool regSetDword(QString keyPath, QString valueName, quint32 value);
    static QVariant regGetVariant(const QString &key, const QVariant &defaultValue,
                                  const QString &plistFile, const QString &organisation,
                                  const QString &application);
};
