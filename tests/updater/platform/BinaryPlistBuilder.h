#pragma once

#include <QByteArray>
#include <QVector>

// Binary property lists put together object by object, for the files no writer
// makes: cycles and shared containers in the object table, counts beyond the
// data, NULs and lone surrogates in text, any depth.
class BinaryPlistBuilder
{
public:
    explicit BinaryPlistBuilder(int refSize = 2) : m_refSize(refSize) {}

    // Appends an object and returns its index.
    quint64 add(const QByteArray &object)
    {
        m_objects.append(object);
        return static_cast<quint64>(m_objects.size() - 1);
    }

    static QByteArray ascii(const QByteArray &text) { return marker(0x50, static_cast<quint64>(text.size())) + text; }

    static QByteArray utf16(const QVector<quint16> &units)
    {
        QByteArray object = marker(0x60, static_cast<quint64>(units.size()));
        for (quint16 unit : units)
            object += number(unit, 2);
        return object;
    }

    static QByteArray integer(quint8 value) { return QByteArray(1, '\x10') + char(value); }

    static QByteArray data(const QByteArray &bytes) { return marker(0x40, static_cast<quint64>(bytes.size())) + bytes; }

    QByteArray array(const QVector<quint64> &refs, quint64 count) const
    {
        QByteArray object = marker(0xA0, count);
        for (quint64 ref : refs)
            object += number(ref, m_refSize);
        return object;
    }
    QByteArray array(const QVector<quint64> &refs) const { return array(refs, static_cast<quint64>(refs.size())); }

    QByteArray dict(const QVector<quint64> &keys, const QVector<quint64> &values) const
    {
        QByteArray object = marker(0xD0, static_cast<quint64>(keys.size()));
        for (quint64 ref : keys + values)
            object += number(ref, m_refSize);
        return object;
    }

    QByteArray build(quint64 top = 0) const
    {
        QByteArray file("bplist00");
        QVector<quint64> offsets;
        for (const QByteArray &object : m_objects) {
            offsets.append(static_cast<quint64>(file.size()));
            file += object;
        }
        const quint64 table = static_cast<quint64>(file.size());
        for (quint64 offset : offsets)
            file += number(offset, 4);
        file += QByteArray(6, '\0') + char(4) + char(m_refSize);
        file += number(static_cast<quint64>(m_objects.size()), 8) + number(top, 8) + number(table, 8);
        return file;
    }

    // Files no writer makes, each under a dictionary's key "k" when `inDictionary`,
    // else in a one-item array.

    // `depth` arrays inside one another.
    static QByteArray nested(int depth, bool inDictionary)
    {
        BinaryPlistBuilder b(4);
        const quint64 first = b.root(inDictionary) + 1;
        for (int i = 0; i < depth; ++i)
            b.add(i + 1 < depth ? b.array({first + i + 1}) : b.array({}));
        return b.build();
    }

    // Arrays holding the next one twice, `levels` deep: 2^levels nodes once expanded.
    static QByteArray doubling(int levels, bool inDictionary)
    {
        BinaryPlistBuilder b;
        const quint64 first = b.root(inDictionary) + 1;
        for (int i = 0; i < levels; ++i)
            b.add(b.array({first + i + 1, first + i + 1}));
        b.add(integer(1));
        return b.build();
    }

    // `chains` runs of `length` arrays inside one another, all held by one array, each
    // run ending in the one before it: every run is met first near the top, and then
    // again at the end of the next, so the depth grows by `length` per run.
    static QByteArray ladder(int chains, int length, bool inDictionary)
    {
        BinaryPlistBuilder b(4);
        const quint64 hub = b.root(inDictionary) + 1;
        QVector<quint64> heads;
        for (int i = 0; i < chains; ++i)
            heads.append(hub + 1 + quint64(i) * length);
        b.add(b.array(heads));
        for (int i = 0; i < chains; ++i) {
            for (int j = 0; j < length; ++j) {
                const quint64 at = heads[i] + j;
                b.add(j + 1 < length ? b.array({at + 1}) : i > 0 ? b.array({heads[i - 1]}) : b.array({}));
            }
        }
        return b.build();
    }

    // An array holding itself, or a dictionary holding an array that holds the dictionary.
    static QByteArray cycle(bool inDictionary)
    {
        BinaryPlistBuilder b;
        b.root(inDictionary);
        b.add(b.array({0}));
        return b.build();
    }

    // An array announcing 2^31 items in a few bytes.
    static QByteArray countBeyondData(bool inDictionary)
    {
        BinaryPlistBuilder b;
        const quint64 at = b.root(inDictionary) + 1;
        b.add(b.array({at + 1}, quint64(1) << 31));
        b.add(integer(1));
        return b.build();
    }

private:
    // Object 0, pointing at the object that comes right after its key, if any; returns the last index used.
    quint64 root(bool inDictionary)
    {
        if (!inDictionary)
            return add(array({1}));
        add(dict({1}, {2}));
        return add(ascii("k"));
    }

    static QByteArray number(quint64 value, int size)
    {
        QByteArray bytes(size, '\0');
        for (int i = size - 1; i >= 0; --i, value >>= 8)
            bytes[i] = char(value & 0xFF);
        return bytes;
    }

    // A type marker with its count: in the low half when it fits, else in an integer object after it.
    static QByteArray marker(quint8 type, quint64 count)
    {
        if (count < 15)
            return QByteArray(1, char(type | count));
        return QByteArray(1, char(type | 0x0F)) + char(0x13) + number(count, 8);
    }

    int m_refSize;
    QVector<QByteArray> m_objects;
};
