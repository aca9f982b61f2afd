#include "PlistReader.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

bool startsWith(const char *p, const char *end, const char *text)
{
    const size_t length = std::strlen(text);
    return static_cast<size_t>(end - p) >= length && std::memcmp(p, text, length) == 0;
}

// Past the first `text` at or after `p`; `end` when there is none.
const char *after(const char *p, const char *end, const char *text)
{
    const size_t length = std::strlen(text);
    for (; static_cast<size_t>(end - p) >= length; ++p) {
        if (std::memcmp(p, text, length) == 0)
            return p + length;
    }
    return end;
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':'
           || c == '.' || c == '-';
}

// Opening tags of arrays and dictionaries in [p, end), in any case.
int containerOpenings(const char *p, const char *end)
{
    int count = 0;
    while ((p = static_cast<const char *>(std::memchr(p, '<', static_cast<size_t>(end - p))))) {
        ++p;
        const auto at = [p, end](const char *name, int length) {
            return end - p >= length && qstrnicmp(p, name, static_cast<uint>(length)) == 0;
        };
        count += at("array", 5) || at("dict", 4);
    }
    return count;
}

// Nesting of an XML property list is counted on the raw text: libplist reads any
// depth, but frees and converts its tree by recursion. Comments, CDATA,
// declarations, processing instructions and quoted attribute values are passed
// over whole, so that no closing tag inside them lowers the count; a doubtful
// tag only raises it. libplist does not end those runs where this scan does (it
// knows no single quotes, and passes over double-quoted text in a DOCTYPE up to
// its "]>"), so every opening tag inside a run passed over raises the count for
// good. XML holds no NUL; libplist would garble the text around one.
bool xmlAcceptable(const QByteArray &data)
{
    if (data.contains('\0'))
        return false;
    const char *p = data.constData();
    const char *const end = p + data.size();
    int depth = 0;
    int hidden = 0; // opening tags met inside runs passed over
    const auto passOver = [&](const char *from, const char *to) {
        hidden += containerOpenings(from, to);
        return depth + hidden <= PlistReader::kMaxDepth;
    };
    while ((p = static_cast<const char *>(std::memchr(p, '<', static_cast<size_t>(end - p))))) {
        ++p;
        const char *const run = p;
        if (startsWith(p, end, "!--")) {
            p = after(p, end, "-->");
            if (!passOver(run, p))
                return false;
            continue;
        }
        if (startsWith(p, end, "![CDATA[")) {
            p = after(p, end, "]]>");
            if (!passOver(run, p))
                return false;
            continue;
        }
        if (startsWith(p, end, "?")) {
            p = after(p, end, "?>");
            if (!passOver(run, p))
                return false;
            continue;
        }
        const bool declaration = p < end && *p == '!';
        const bool closing = p < end && *p == '/';
        if (closing)
            ++p;
        const char *name = p;
        while (p < end && isNameChar(*p))
            ++p;
        const QByteArray tag = QByteArray::fromRawData(name, static_cast<int>(p - name));
        const char *const attributes = p;
        // To the end of the tag, over quoted values.
        char quote = 0;
        bool empty = false;
        for (; p < end && (quote || *p != '>'); ++p) {
            if (quote) {
                quote = *p == quote ? 0 : quote;
            } else if (*p == '"' || *p == '\'') {
                quote = *p;
            }
            empty = !quote && *p == '/';
        }
        if (!passOver(attributes, p))
            return false;
        const bool container =
            tag.compare("array", Qt::CaseInsensitive) == 0 || tag.compare("dict", Qt::CaseInsensitive) == 0;
        if (declaration || !container)
            continue;
        if (closing) {
            if (depth > 0)
                --depth;
        } else if (!empty && ++depth + hidden > PlistReader::kMaxDepth) {
            return false;
        }
    }
    return true;
}

// The object graph of a binary property list, walked without building it:
// libplist builds it by recursion, one copy per reference.
class BinaryScan
{
public:
    explicit BinaryScan(const QByteArray &data)
        : m_data(reinterpret_cast<const unsigned char *>(data.constData())), m_size(static_cast<quint64>(data.size())),
          m_maxNodes(PlistReader::kMaxNodes + m_size), m_maxBytes(PlistReader::kMaxBytes + m_size)
    {
    }

    bool acceptable()
    {
        const quint64 kHeader = 8, kTrailer = 32;
        if (m_size < kHeader + kTrailer)
            return true; // too small to hold an object; libplist refuses it
        const unsigned char *trailer = m_data + m_size - kTrailer;
        m_offsetSize = trailer[6];
        m_refSize = trailer[7];
        m_objects = number(trailer + 8, 8);
        const quint64 top = number(trailer + 16, 8);
        m_table = number(trailer + 24, 8);
        m_dataEnd = m_size - kTrailer;
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8 || m_objects == 0
            || top >= m_objects || m_table < kHeader || m_table > m_dataEnd
            || m_objects > (m_dataEnd - m_table) / m_offsetSize)
            return false;
        return walk(top);
    }

private:
    enum Type { Data = 0x4, Ascii = 0x5, Utf16 = 0x6, Array = 0xA, Set = 0xC, Dict = 0xD };

    struct Object
    {
        unsigned type = 0;  // the high half of its marker
        quint64 start = 0;  // where its contents start
        quint64 count = 0;  // references of a container (keys and values of a dictionary)
        quint64 size = 0;   // bytes of its contents, for the kinds with a length
        bool isContainer() const { return type == Array || type == Set || type == Dict; }
    };
    // What an object expands to in libplist's tree.
    struct Totals
    {
        int depth = 0; // levels of arrays and dictionaries
        quint64 nodes = 0;
        quint64 bytes = 0;
    };
    struct Frame
    {
        quint64 index;
        Object object;
        quint64 next = 0;
        Totals children = {};
    };

    quint64 number(const unsigned char *p, unsigned size) const
    {
        quint64 value = 0;
        for (unsigned i = 0; i < size; ++i)
            value = (value << 8) | p[i];
        return value;
    }

    // False when the object cannot be located or its contents overrun the data.
    bool locate(quint64 index, Object *object) const
    {
        const quint64 offset = number(m_data + m_table + index * m_offsetSize, m_offsetSize);
        if (offset < 8 || offset >= m_dataEnd)
            return false;
        const unsigned char marker = m_data[offset];
        object->type = marker >> 4;
        quint64 pos = offset + 1;
        quint64 unit = 0;
        switch (object->type) {
        case Data:
        case Ascii:
            unit = 1;
            break;
        case Utf16:
            unit = 2;
            break;
        case Array:
        case Set:
            unit = m_refSize;
            break;
        case Dict:
            unit = 2 * m_refSize;
            break;
        default:
            return true; // numbers, dates and the like have a fixed size libplist checks
        }
        quint64 count = marker & 0x0F;
        if (count == 0x0F) {
            if (pos >= m_dataEnd || (m_data[pos] & 0xF0) != 0x10 || (m_data[pos] & 0x0F) > 3)
                return false;
            const unsigned size = 1u << (m_data[pos] & 0x0F);
            if (m_dataEnd - pos - 1 < size)
                return false;
            count = number(m_data + pos + 1, size);
            pos += 1 + size;
        }
        if (count > (m_dataEnd - pos) / unit)
            return false;
        object->start = pos;
        object->size = count * unit;
        object->count = object->type == Dict ? 2 * count : count;
        return true;
    }

    // Whether every high surrogate of big-endian UTF-16 text is followed by a low
    // one, and every low one follows a high one.
    static bool pairedSurrogates(const unsigned char *p, quint64 units)
    {
        bool high = false;
        for (quint64 i = 0; i < units; ++i, p += 2) {
            const unsigned unit = (unsigned(p[0]) << 8) | p[1];
            const bool isLow = unit >= 0xDC00 && unit <= 0xDFFF;
            if (isLow != high)
                return false;
            high = unit >= 0xD800 && unit <= 0xDBFF;
        }
        return !high;
    }

    bool add(Totals &into, const Totals &part) const
    {
        into.depth = std::max(into.depth, part.depth);
        into.nodes += part.nodes;
        into.bytes += part.bytes;
        return into.nodes <= m_maxNodes && into.bytes <= m_maxBytes;
    }

    // Adds what object `index` expands to into `into`, or opens a frame for it when
    // it is a container not met yet (`into` is not used after that). False when
    // the file is refused.
    bool reach(quint64 index, std::vector<Frame> &path, Totals &into)
    {
        // An object met before is built again here, below the containers open now.
        const auto known = m_done.find(index);
        if (known != m_done.end())
            return path.size() + static_cast<size_t>(known->second.depth) <= static_cast<size_t>(PlistReader::kMaxDepth)
                   && add(into, known->second);
        Object object;
        if (!locate(index, &object))
            return false;
        if (object.isContainer()) {
            for (const Frame &open : path) {
                if (open.index == index)
                    return false; // a cycle: libplist refuses it as well
            }
            if (path.size() >= static_cast<size_t>(PlistReader::kMaxDepth))
                return false;
            path.push_back(Frame{index, object});
            return true;
        }
        // libplist cuts ASCII text at a NUL without a word, and drops a lone
        // surrogate from UTF-16 text; a NUL in UTF-16 text it keeps whole.
        if (object.type == Ascii && std::memchr(m_data + object.start, 0, object.size))
            return false;
        if (object.type == Utf16 && !pairedSurrogates(m_data + object.start, object.size / 2))
            return false;
        const Totals leaf{0, 1, object.size};
        m_done.emplace(index, leaf);
        return add(into, leaf);
    }

    bool walk(quint64 top)
    {
        std::vector<Frame> path;
        path.reserve(PlistReader::kMaxDepth); // frames are never moved while referred to
        Totals total;
        if (!reach(top, path, total))
            return false;
        // Every reference read is one node at least of the expanded tree: this bounds the work.
        quint64 references = 0;
        while (!path.empty()) {
            Frame &frame = path.back();
            if (frame.next < frame.object.count) {
                const quint64 child = number(m_data + frame.object.start + frame.next * m_refSize, m_refSize);
                ++frame.next;
                if (++references > m_maxNodes || child >= m_objects || !reach(child, path, frame.children))
                    return false;
                continue;
            }
            Totals result = frame.children;
            result.depth += 1;
            result.nodes += 1;
            const quint64 index = frame.index;
            path.pop_back();
            m_done.emplace(index, result);
            if (!add(path.empty() ? total : path.back().children, result))
                return false;
        }
        return true;
    }

    const unsigned char *m_data;
    quint64 m_size;
    quint64 m_maxNodes;
    quint64 m_maxBytes;
    quint64 m_dataEnd = 0;
    unsigned m_offsetSize = 0;
    unsigned m_refSize = 0;
    quint64 m_objects = 0;
    quint64 m_table = 0;
    std::unordered_map<quint64, Totals> m_done; // objects met before, by index
};

} // namespace

plist_t PlistReader::parse(const QByteArray &data)
{
    if (data.isEmpty())
        return nullptr;
    const uint32_t size = static_cast<uint32_t>(data.size());
    const bool acceptable =
        plist_is_binary(data.constData(), size) ? BinaryScan(data).acceptable() : xmlAcceptable(data);
    if (!acceptable)
        return nullptr;
    plist_t root = nullptr;
    plist_from_memory(data.constData(), size, &root);
    return root;
}

QString PlistReader::string(plist_t node)
{
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return QString();
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(node, &length);
    return text ? QString::fromUtf8(text, static_cast<int>(length)) : QString();
}

bool PlistReader::key(plist_t item, QByteArray *key)
{
    // libplist offers no getter for a key's length, but writes a key node as XML
    // whole, escaping only '&', '<' and '>'.
    const plist_t keyNode = item ? plist_dict_item_get_key(item) : nullptr;
    if (!keyNode || plist_get_node_type(keyNode) != PLIST_KEY)
        return false;
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(keyNode, &xml, &length);
    if (!xml)
        return false;
    const QByteArray text = QByteArray::fromRawData(xml, static_cast<int>(length));
    const QByteArray open("<key>"), close("</key>");
    const int start = text.indexOf(open);
    const int stop = start < 0 ? -1 : text.indexOf(close, start + open.size());
    if (stop >= 0) {
        *key = text.mid(start + open.size(), stop - start - open.size());
        key->replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
    }
    plist_to_xml_free(xml);
    return stop >= 0;
}
