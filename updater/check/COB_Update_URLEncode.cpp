#include "COB_Update_URLEncode.h"

const int COB_Update_URLEncode::m_enum_unsafe_ascii_char_range[4][2] = {{0, 47}, {58, 64}, {91, 96}, {123, 255}};

namespace {
QString escapeBytes(const QByteArray &bytes)
{
    QString result;
    for (char byte : bytes)
        result += QString::asprintf("%%%02x", static_cast<unsigned char>(byte));
    return result;
}

// A character beyond Latin-1 goes out as its UTF-8 bytes; a surrogate pair is one
// character and is taken whole, so the caller may pass the low half along.
QString escapeCharacterAt(const QString &text, int &index)
{
    const QChar ch = text.at(index);
    if (ch.unicode() <= 0xFF)
        return escapeBytes(QByteArray(1, static_cast<char>(ch.unicode())));
    if (ch.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        ++index;
        return escapeBytes(text.mid(index - 1, 2).toUtf8());
    }
    if (ch.isSurrogate())
        return escapeBytes(QString(QChar(QChar::ReplacementCharacter)).toUtf8());
    return escapeBytes(QString(ch).toUtf8());
}
} // namespace

COB_Update_URLEncode::COB_Update_URLEncode(QObject *parent)
    : QObject(parent)
{
}

bool COB_Update_URLEncode::IsUnsafe(QChar ch) const
{
    const int code = static_cast<unsigned char>(ch.toLatin1());
    for (const auto &range : m_enum_unsafe_ascii_char_range) {
        if (code >= range[0] && code <= range[1])
            return true;
    }
    return false;
}

QString COB_Update_URLEncode::ConvertToHexString(QChar ch) const
{
    const QString text(ch);
    int index = 0;
    return escapeCharacterAt(text, index);
}

QString COB_Update_URLEncode::URLEncode(const QString &text) const
{
    QString result;
    for (int i = 0; i < text.size(); ++i) {
        if (IsUnsafe(text.at(i)))
            result += escapeCharacterAt(text, i);
        else
            result += text.at(i);
    }
    return result;
}

QString COB_Update_URLEncode::URLEncodeAll(const QString &text) const
{
    QString result;
    for (int i = 0; i < text.size(); ++i)
        result += escapeCharacterAt(text, i);
    return result;
}
