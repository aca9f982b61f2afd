#include "PlistSettings.h"

#include "PlistReader.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <new>

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const qint64 kPlistEpochOffsetSecs = 978307200;

// '/', '.' and U+00B7 take one another's place in top-level keys: Qt does this on
// macOS so that its "/" groups stay apart from the dots that preference keys use.
QString rotateKey(const QString &key, int shift)
{
    static const QChar knights[3] = {QLatin1Char('/'), QLatin1Char('.'), QChar(0x00B7)};
    QString result = key;
    for (int i = 0; i < result.size(); ++i) {
        for (int j = 0; j < 3; ++j) {
            if (result.at(i) == knights[j]) {
                result[i] = knights[(j + shift) % 3];
                break;
            }
        }
    }
    return result;
}

// QSettings' own text form for values a property list has no type for.
QStringList textFormArguments(const QString &text, int prefixLength)
{
    QStringList args = text.mid(prefixLength, text.size() - prefixLength - 1).split(QLatin1Char(' '));
    args.removeAll(QString());
    return args;
}

QString variantToText(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QString: {
        const QString text = value.toString();
        return text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(bytes.constData(), bytes.size())
               + QLatin1Char(')');
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QStringLiteral("@Point(%1 %2)").arg(p.x()).arg(p.y());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QStringLiteral("@Size(%1 %2)").arg(s.width()).arg(s.height());
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QStringLiteral("@Rect(%1 %2 %3 %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    default: {
        QByteArray bytes;
        {
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.setVersion(QDataStream::Qt_4_0);
            stream << value;
        }
        return QStringLiteral("@Variant(") + QString::fromLatin1(bytes.constData(), bytes.size())
               + QLatin1Char(')');
    }
    }
}

// A value in QSettings' "@Variant(" form, decoded as Qt decodes it. Its counts
// come from the file: a list announced with 2^28 entries makes Qt reserve room
// for them and throw std::bad_alloc, which would end the process. Such a value,
// or any other that does not decode whole, fails: it could not be written back.
bool streamToVariant(const QByteArray &bytes, QVariant *value)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_4_0);
    QVariant result;
    try {
        stream >> result;
    } catch (const std::bad_alloc &) {
        return false;
    }
    if (stream.status() != QDataStream::Ok)
        return false;
    *value = result;
    return true;
}

// QSettings' own text form back to a value; false when it cannot be read whole.
bool textToVariant(const QString &text, QVariant *value)
{
    *value = text;
    if (!text.startsWith(QLatin1Char('@')))
        return true;
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@ByteArray("))) {
            *value = text.mid(11, text.size() - 12).toLatin1();
            return true;
        }
        if (text.startsWith(QLatin1String("@Variant(")))
            return streamToVariant(text.mid(9, text.size() - 10).toLatin1(), value);
        if (text.startsWith(QLatin1String("@Rect("))) {
            const QStringList args = textFormArguments(text, 6);
            if (args.size() == 4) {
                *value = QRect(args[0].toInt(), args[1].toInt(), args[2].toInt(), args[3].toInt());
                return true;
            }
        } else if (text.startsWith(QLatin1String("@Size("))) {
            const QStringList args = textFormArguments(text, 6);
            if (args.size() == 2) {
                *value = QSize(args[0].toInt(), args[1].toInt());
                return true;
            }
        } else if (text.startsWith(QLatin1String("@Point("))) {
            const QStringList args = textFormArguments(text, 7);
            if (args.size() == 2) {
                *value = QPoint(args[0].toInt(), args[1].toInt());
                return true;
            }
        } else if (text == QLatin1String("@Invalid()")) {
            *value = QVariant();
            return true;
        }
    }
    if (text.startsWith(QLatin1String("@@")))
        *value = text.mid(1);
    return true;
}

plist_t textNode(const QString &text)
{
    // A property-list string cannot hold a NUL; such text goes in as its UTF-8 bytes.
    if (text.contains(QChar::Null)) {
        const QByteArray bytes = text.toUtf8();
        return plist_new_data(bytes.constData(), static_cast<uint64_t>(bytes.size()));
    }
    return plist_new_string(text.toUtf8().constData());
}

plist_t toNode(const QVariant &value);

plist_t listNode(const QVariantList &list)
{
    plist_t array = plist_new_array();
    for (const QVariant &item : list)
        plist_array_append_item(array, toNode(item));
    return array;
}

plist_t mapNode(const QVariantMap &map)
{
    plist_t dict = plist_new_dict();
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        plist_dict_set_item(dict, it.key().toUtf8().constData(), toNode(it.value()));
    return dict;
}

plist_t toNode(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::LongLong:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::ULongLong:
        return plist_new_uint(static_cast<uint64_t>(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), static_cast<uint64_t>(bytes.size()));
    }
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return listNode(value.toList());
    case QMetaType::QVariantMap:
        return mapNode(value.toMap());
    case QMetaType::QVariantHash: {
        const QVariantHash hash = value.toHash();
        QVariantMap map;
        for (auto it = hash.constBegin(); it != hash.constEnd(); ++it)
            map.insert(it.key(), it.value());
        return mapNode(map);
    }
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        if (!when.isValid())
            break;
        const qint64 ms = when.toMSecsSinceEpoch() - kPlistEpochOffsetSecs * 1000;
        const qint64 secs = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
        return plist_new_date(static_cast<int32_t>(secs), static_cast<int32_t>((ms - secs * 1000) * 1000));
    }
    default:
        break;
    }
    return textNode(variantToText(value));
}

// A key or string holding a NUL cannot be written back (libplist takes them as C
// strings, XML has no NUL): a rewrite would rename the key or cut the text, so a
// file with one is not read at all, and so never written over.
bool fromNode(plist_t node, QVariant *value)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        *value = flag != 0;
        return true;
    }
    case PLIST_UINT: {
        uint64_t raw = 0;
        plist_get_uint_val(node, &raw);
        const qint64 number = static_cast<qint64>(raw);
        if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
            *value = static_cast<int>(number);
        else
            *value = number;
        return true;
    }
    case PLIST_REAL: {
        double number = 0;
        plist_get_real_val(node, &number);
        *value = number;
        return true;
    }
    case PLIST_STRING: {
        const QString text = PlistReader::string(node);
        return textToVariant(text, value) && !text.contains(QChar::Null);
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char *bytes = plist_get_data_ptr(node, &length);
        const QByteArray data(bytes, static_cast<int>(length));
        *value = data;
        // Text in QSettings' own form that held a NUL was stored as data; it is
        // decoded whole, NULs and all.
        if (data.startsWith('@')) {
            QVariant decoded;
            if (!textToVariant(QString::fromUtf8(data.constData(), data.size()), &decoded))
                return false;
            if (decoded.userType() != QMetaType::QString)
                *value = decoded;
        }
        return true;
    }
    case PLIST_DATE: {
        int32_t secs = 0;
        int32_t usecs = 0;
        plist_get_date_val(node, &secs, &usecs);
        *value = QDateTime::fromMSecsSinceEpoch((kPlistEpochOffsetSecs + secs) * 1000 + usecs / 1000);
        return true;
    }
    case PLIST_ARRAY: {
        QVariantList list;
        bool allText = true;
        bool readable = true;
        // By iterator: libplist finds an item of an array read from a binary file by
        // walking from the first, which over a long array is quadratic.
        plist_array_iter it = nullptr;
        plist_array_new_iter(node, &it);
        plist_t element = nullptr;
        plist_array_next_item(node, it, &element);
        while (readable && element) {
            QVariant item;
            readable = fromNode(element, &item);
            allText = allText && item.userType() == QMetaType::QString;
            list.append(item);
            element = nullptr;
            plist_array_next_item(node, it, &element);
        }
        std::free(it);
        if (!readable)
            return false;
        if (allText && !list.isEmpty())
            *value = QVariant(list).toStringList();
        else
            *value = list;
        return true;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        bool readable = it != nullptr;
        plist_t item = nullptr;
        // Only the item: libplist's getter for its key asserts on a NUL inside.
        plist_dict_next_item(node, it, nullptr, &item);
        while (readable && item) {
            QByteArray key;
            QVariant itemValue;
            readable = PlistReader::key(item, &key) && !key.contains('\0') && fromNode(item, &itemValue);
            map.insert(QString::fromUtf8(key), itemValue);
            item = nullptr;
            plist_dict_next_item(node, it, nullptr, &item);
        }
        std::free(it);
        *value = map;
        return readable;
    }
    default:
        *value = QVariant();
        return true;
    }
}

// The entries of a property list whose top level is a dictionary; false when the
// data is none, or holds a key or text that could not be written back whole.
bool readEntries(const QByteArray &data, QVariantMap *entries)
{
    plist_t root = PlistReader::parse(data);
    if (!root)
        return false;
    QVariant value;
    const bool read = plist_get_node_type(root) == PLIST_DICT && fromNode(root, &value);
    plist_free(root);
    *entries = value.toMap();
    return read;
}

bool readPlist(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray data = device.readAll();
    if (data.isEmpty())
        return true;
    QVariantMap entries;
    if (!readEntries(data, &entries))
        return false;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it)
        map.insert(PlistSettings::settingsKey(it.key()), it.value());
    return true;
}

// QSettings writes its keys over a file it could not read, and its cache of
// files can hide that the read failed: the reader's other preferences would be
// lost. A file on disk that is not a property list is therefore left alone.
bool replacesUnreadableFile(const QIODevice &device)
{
    const auto *fileDevice = qobject_cast<const QFileDevice *>(&device);
    return fileDevice && PlistSettings::isUnreadable(fileDevice->fileName());
}

bool writePlist(QIODevice &device, const QSettings::SettingsMap &map)
{
    if (replacesUnreadableFile(device))
        return false;
    plist_t root = plist_new_dict();
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        plist_dict_set_item(root, PlistSettings::fileKey(it.key()).toUtf8().constData(), toNode(it.value()));
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    plist_free(root);
    if (!xml)
        return false;
    // QSettings writes through a QSaveFile: a failed write leaves the old file in place.
    const bool written = device.write(xml, length) == static_cast<qint64>(length);
    plist_to_xml_free(xml);
    return written;
}

} // namespace

bool PlistSettings::isUnreadable(const QString &path)
{
    QFile existing(path);
    if (!existing.exists())
        return false;
    if (!existing.open(QIODevice::ReadOnly))
        return true;
    const QByteArray data = existing.readAll();
    if (data.isEmpty())
        return false;
    QVariantMap entries;
    return !readEntries(data, &entries);
}

QString PlistSettings::fileKey(const QString &settingsKey)
{
    return rotateKey(settingsKey, 1);
}

QString PlistSettings::settingsKey(const QString &fileKey)
{
    return rotateKey(fileKey, 2);
}

QSettings::Format PlistSettings::format()
{
    static const QSettings::Format plistFormat = QSettings::registerFormat(QStringLiteral("plist"), readPlist,
                                                                           writePlist, Qt::CaseSensitive);
    return plistFormat;
}

QString PlistSettings::storePath(const QString &organisation, const QString &application)
{
    QString domain = organisation.toLower();
    domain.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QDir::homePath() + QStringLiteral("/Library/Preferences/com.") + domain
           + QLatin1Char('.') + application + QStringLiteral(".plist");
}

std::unique_ptr<QSettings> PlistSettings::openStore(const QString &organisation, const QString &application)
{
    return openFile(storePath(organisation, application));
}

std::unique_ptr<QSettings> PlistSettings::openFile(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, format());
    // Never a half-written preferences file: the reader may read it at any moment.
    settings->setAtomicSyncRequired(true);
    return settings;
}
