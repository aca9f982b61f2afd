#include "CRegister.h"

#include "PlistSettings.h"

#include <QFileInfo>

namespace {
const char kOrganisation[] = "Orbel Software";
const char kApplication[] = "Orbel.PDF.Reader";

QString settingsKey(QString keyPath, const QString &valueName)
{
    if (!valueName.isEmpty())
        keyPath += QLatin1Char('\\') + valueName;
    return keyPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
}
} // namespace

bool CheckIsContinue()
{
    return true;
}

bool CheckSingleKeysPlist(const QString &key, QVariant &value, QVariant defaultValue,
                          QString organisation, QString application)
{
    if (organisation.isEmpty() && application.isEmpty()) {
        organisation = QLatin1String(kOrganisation);
        application = QLatin1String(kApplication);
    }
    auto store = PlistSettings::openStore(organisation, application);
    value = store->value(QString(key).replace(QLatin1Char('\\'), QLatin1Char('/')), defaultValue);
    return store->status() == QSettings::NoError;
}

bool WriteSingleKeysPlist(const QString &key, const QVariant &value,
                          QString organisation, QString application)
{
    if (organisation.isEmpty() && application.isEmpty()) {
        organisation = QLatin1String(kOrganisation);
        application = QLatin1String(kApplication);
    }
    auto store = PlistSettings::openStore(organisation, application);
    store->setValue(QString(key).replace(QLatin1Char('\\'), QLatin1Char('/')), value);
    store->sync();
    return store->status() == QSettings::NoError;
}

QString CRegister::regGetString(QString keyPath, QString valueName)
{
    QVariant value;
    CheckSingleKeysPlist(settingsKey(keyPath, valueName), value, QString(), QLatin1String(kOrganisation),
                         QLatin1String(kApplication));
    return value.toString();
}

bool CRegister::regSetString(QString keyPath, QString valueName, QString value)
{
    return WriteSingleKeysPlist(settingsKey(keyPath, valueName), value, QLatin1String(kOrganisation),
                                QLatin1String(kApplication));
}

quint32 CRegister::regGetDword(QString keyPath, QString valueName)
{
    QVariant value;
    CheckSingleKeysPlist(settingsKey(keyPath, valueName), value, 0, QLatin1String(kOrganisation),
                         QLatin1String(kApplication));
    return static_cast<quint32>(value.toULongLong());
}

bool CRegister::regSetDword(QString keyPath, QString valueName, quint32 value)
{
    return WriteSingleKeysPlist(settingsKey(keyPath, valueName), QVariant::fromValue(value),
                                QLatin1String(kOrganisation), QLatin1String(kApplication));
}

QVariant CRegister::regGetVariant(const QString &key, const QVariant &defaultValue, const QString &plistFile,
                                  const QString &organisation, const QString &application)
{
    std::unique_ptr<QSettings> store;
    if (!plistFile.isEmpty() && QFileInfo::exists(plistFile))
        store = PlistSettings::openFile(plistFile);
    else if (organisation.isEmpty() && application.isEmpty())
        store = PlistSettings::openStore(QLatin1String(kOrganisation), QLatin1String(kApplication));
    else
        store = PlistSettings::openStore(organisation, application);
    return store->value(key, defaultValue);
}
