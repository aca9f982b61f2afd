#include "CRegister.h"

#include "PlistSettings.h"
#include "SystemPaths.h"

#include <QFileInfo>

namespace {
const char kOrganisation[] = "Orbel Software";
const char kApplication[] = "Orbel.PDF.Reader";
const char kLayoutFile[] = "/usr/local/share/orbel/Orbel PDF Reader/LocalMachine/LocalMachine.plist";
const char kLayoutKey[] = "HKEY_LOCAL_MACHINE/SOFTWARE/Orbel Software/Orbel PDF Reader/bContinue";
const char kClassicKey[] = "Classic";

QString settingsKey(QString keyPath, const QString &valueName)
{
    if (!valueName.isEmpty())
        keyPath += QLatin1Char('\\') + valueName;
    return keyPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void useDefaultStoreNames(QString &organisation, QString &application)
{
    if (organisation.isEmpty() && application.isEmpty()) {
        organisation = QLatin1String(kOrganisation);
        application = QLatin1String(kApplication);
    }
}

// One key of a store, in whichever layout the machine uses.
QVariant readKey(QSettings &store, const QString &key, const QVariant &defaultValue)
{
    if (CheckIsContinue())
        return store.value(key, defaultValue);
    const QVariantMap classic = store.value(QLatin1String(kClassicKey)).toMap();
    const auto it = classic.constFind(key);
    return it == classic.constEnd() ? defaultValue : it.value();
}
} // namespace

bool CheckIsContinue()
{
    auto layout = PlistSettings::openFile(SystemPaths::resolve(QLatin1String(kLayoutFile)));
    return layout->value(QLatin1String(kLayoutKey), QStringLiteral("1")).toString() == QLatin1String("1");
}

bool CheckSingleKeysPlist(const QString &key, QVariant &value, QVariant defaultValue,
                          QString organisation, QString application)
{
    useDefaultStoreNames(organisation, application);
    auto store = PlistSettings::openStore(organisation, application);
    value = readKey(*store, QString(key).replace(QLatin1Char('\\'), QLatin1Char('/')), defaultValue);
    return store->status() == QSettings::NoError;
}

bool WriteSingleKeysPlist(const QString &key, const QVariant &value,
                          QString organisation, QString application)
{
    useDefaultStoreNames(organisation, application);
    auto store = PlistSettings::openStore(organisation, application);
    // Checked before anything is set: a refused write must not linger in QSettings'
    // cache as if it had been made.
    if (PlistSettings::isUnreadable(store->fileName()))
        return false;
    const QString settingsKey = QString(key).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (CheckIsContinue()) {
        store->setValue(settingsKey, value);
    } else {
        QVariantMap classic = store->value(QLatin1String(kClassicKey)).toMap();
        classic.insert(settingsKey, value);
        store->setValue(QLatin1String(kClassicKey), classic);
    }
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
    if (!plistFile.isEmpty() && QFileInfo::exists(plistFile)) {
        store = PlistSettings::openFile(plistFile);
    } else {
        QString org = organisation;
        QString app = application;
        useDefaultStoreNames(org, app);
        store = PlistSettings::openStore(org, app);
    }
    return readKey(*store, key, defaultValue);
}
