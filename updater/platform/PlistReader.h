#pragma once

#include <QByteArray>
#include <QString>

#include <plist/plist.h>

// Reads property lists that other programs wrote (the reader's preferences, the
// system's install history) without letting any file end the process. libplist's
// getters for keys and C strings assert when the text holds a NUL, and its parsers
// descend once per level of nesting and once per reference, so a deep or
// self-multiplying binary list would overflow the stack or run for ever before
// any check of ours. Such files are refused before libplist sees them.
class PlistReader
{
public:
    // Deepest nesting of arrays and dictionaries that is read.
    static constexpr int kMaxDepth = 512;
    // Most nodes a binary property list may expand to beyond one per byte of the
    // file: an object referenced from several places is built once per reference,
    // and writers share equal values (a thousand "true"s are one object). A file
    // that shares nothing holds fewer objects than bytes, so it is never refused
    // for its size.
    static constexpr quint64 kMaxNodes = quint64(1) << 16;
    // Most bytes of text and data it may expand to beyond its own size, counted the same way.
    static constexpr quint64 kMaxBytes = quint64(16) << 20;

    // The tree of a property list (XML or binary), to be freed with plist_free();
    // null when the data is none, goes beyond the limits above, or holds text that
    // libplist would not read whole: a NUL in an ASCII string of a binary list, or
    // anywhere in an XML one, or a lone surrogate in UTF-16 text. UTF-16 text with a
    // NUL is kept whole.
    static plist_t parse(const QByteArray &data);

    // The text of a string node whole, a NUL inside included; empty for any other node.
    static QString string(plist_t node);

    // The key under which `item` stands in its dictionary, as its UTF-8 bytes whole
    // (a NUL inside included). False when the item stands in no dictionary.
    static bool key(plist_t item, QByteArray *key);
};
