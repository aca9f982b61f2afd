#include "CXML_Parser.h"

#include "COB_GrowOnlyPool.h"
#include "COB_MemoryMgr.h"
#include "CXML_DataBufAcc.h"
#include "CXML_DataStmAcc.h"
#include "CXML_Element.h"
#include "IOB_BufferRead.h"
#include "IOB_FileRead.h"

#include <cstring>
#include <new>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// clang-format off
const uint8_t g_OBCRT_XML_ByteTypes[256] = {
    // 0x00-0x1F: white space
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    // space ! " # $ % & ' ( ) * + , - . /
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x10, 0x00,
    // 0-9 : ; < = > ?
    0x34, 0x34, 0x34, 0x34, 0x34, 0x34, 0x34, 0x34, 0x34, 0x34, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00,
    // @ A-O
    0x00, 0x7A, 0x7A, 0x7A, 0x7A, 0x7A, 0x7A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    // P-Z [ \ ] ^ _
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x00, 0x00, 0x00, 0x00, 0x18,
    // ` a-o
    0x00, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    // p-z { | } ~ DEL
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x00, 0x00, 0x00, 0x00, 0x00,
    // 0x80-0xFD: letters; 0xFE, 0xFF: white space
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A,
    0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x1A, 0x01, 0x01,
};
// clang-format on

namespace {

// White space before the first tag: a fixed ASCII set, whatever the locale says.
inline bool IsAsciiSpace(uint8_t c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline bool IsNameByte(uint8_t c)
{
    return g_OBCRT_XML_IsNameChar(c) || c == ':';
}

// A byte repeated in all eight bytes of a word, for StopBytes.
const uint64_t kEveryByte = 0x0101010101010101ull;
const uint64_t kAmpBytes = kEveryByte * '&';
const uint64_t kLtBytes = kEveryByte * '<';

// Text is decoded in chunks of this many bytes, for which the wide run is sized at once.
const size_t kChunk = 4096;

// Smallest value each UTF-8 sequence length may carry; anything below is an overlong form.
const unsigned int kUtf8Minimum[7] = {0, 0, 0x80, 0x800, 0x10000, 0x200000, 0x4000000};

// Flags, in the high bit of each byte of w, the bytes that end a plain ASCII run: bytes of multi-byte
// sequences and bytes equal to either stop byte (given repeated in every byte).
inline uint64_t StopBytes(uint64_t w, uint64_t stop1, uint64_t stop2)
{
    const uint64_t ones = 0x0101010101010101ull;
    const uint64_t highs = 0x8080808080808080ull;
    const uint64_t x1 = w ^ stop1;
    const uint64_t x2 = w ^ stop2;
    // A zero byte of x1 or x2 is a stop byte; the lowest flag is exact, which is all that is read.
    return (w | ((x1 - ones) & ~x1) | ((x2 - ones) & ~x2)) & highs;
}

// A working buffer grown to size bytes, its first used bytes kept; null when that fails (the old block
// is then left as it was). A caller's allocator is only asked for a fresh block and the old one is given
// back: allocating and freeing is all an allocator has to offer (a grow-only pool refuses to resize).
void* GrowBlock(_IOB_Allocator* allocator, void* block, size_t used, size_t size)
{
    if (!allocator)
        return OBMEM_AllocatorRealloc(nullptr, block, size);
    void* grown = allocator->Alloc(allocator, size);
    if (!grown)
        return nullptr;
    if (block) {
        if (used > 0)
            memcpy(grown, block, used);
        allocator->Free(allocator, block);
    }
    return grown;
}

// Length of the run at the start of bytes[0..count) that holds only ASCII other than stop and "&".
size_t PlainAsciiRun(const uint8_t* bytes, size_t count, uint8_t stop)
{
    size_t i = 0;
#ifdef __SSE2__
    const __m128i stops = _mm_set1_epi8(static_cast<char>(stop));
    const __m128i amps = _mm_set1_epi8('&');
    for (; count - i >= 16; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const unsigned hits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(v, _mm_or_si128(_mm_cmpeq_epi8(v, stops), _mm_cmpeq_epi8(v, amps)))));
        if (hits)
            return i + static_cast<size_t>(__builtin_ctz(hits));
    }
#endif
    while (i < count && bytes[i] < 0x80 && bytes[i] != stop && bytes[i] != '&')
        ++i;
    return i;
}

// Length of the run of name bytes (see IsNameByte) at the start of bytes[0..count); colon is set when
// the run holds a colon.
size_t NameRun(const uint8_t* bytes, size_t count, bool& colon)
{
    size_t i = 0;
#ifdef __SSE2__
    // Sixteen bytes at a time, as signed bytes: letters of either case, "0" to ":", "-", ".", "_",
    // and 0x80 to 0xFD (the negative values below -2).
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i beforeA = _mm_set1_epi8('a' - 1), afterZ = _mm_set1_epi8('z' + 1);
    const __m128i beforeDigits = _mm_set1_epi8('0' - 1), afterColon = _mm_set1_epi8(':' + 1);
    const __m128i beforeDash = _mm_set1_epi8('-' - 1), afterDot = _mm_set1_epi8('.' + 1);
    const __m128i underscore = _mm_set1_epi8('_'), colons = _mm_set1_epi8(':');
    const __m128i highLimit = _mm_set1_epi8(-2);
    for (; count - i >= 16; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i folded = _mm_or_si128(v, caseBit);
        __m128i name = _mm_and_si128(_mm_cmpgt_epi8(folded, beforeA), _mm_cmplt_epi8(folded, afterZ));
        name = _mm_or_si128(name, _mm_and_si128(_mm_cmpgt_epi8(v, beforeDigits), _mm_cmplt_epi8(v, afterColon)));
        name = _mm_or_si128(name, _mm_and_si128(_mm_cmpgt_epi8(v, beforeDash), _mm_cmplt_epi8(v, afterDot)));
        name = _mm_or_si128(name, _mm_or_si128(_mm_cmpeq_epi8(v, underscore), _mm_cmplt_epi8(v, highLimit)));
        const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(name)) & 0xFFFF;
        const unsigned run = others ? static_cast<unsigned>(__builtin_ctz(others)) : 16;
        const unsigned colonBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, colons)));
        if (colonBits & ((1u << run) - 1))
            colon = true;
        if (others)
            return i + run;
    }
#endif
    for (; i < count && IsNameByte(bytes[i]); ++i)
        colon |= bytes[i] == ':';
    return i;
}

// Widens count ASCII bytes into out.
void WidenAscii(const uint8_t* bytes, size_t count, wchar_t* out)
{
    size_t i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; count - i >= 16; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i lo = _mm_unpacklo_epi8(v, zero);
        const __m128i hi = _mm_unpackhi_epi8(v, zero);
        __m128i* to = reinterpret_cast<__m128i*>(out + i);
        _mm_storeu_si128(to, _mm_unpacklo_epi16(lo, zero));
        _mm_storeu_si128(to + 1, _mm_unpackhi_epi16(lo, zero));
        _mm_storeu_si128(to + 2, _mm_unpacklo_epi16(hi, zero));
        _mm_storeu_si128(to + 3, _mm_unpackhi_epi16(hi, zero));
    }
#endif
    for (; i < count; ++i)
        out[i] = static_cast<wchar_t>(bytes[i]);
}

// Growable run of units whose memory comes from the parse's allocator.
template <class Unit>
struct UnitRun
{
    _IOB_Allocator* allocator = nullptr;
    Unit* data = nullptr;
    size_t length = 0;
    size_t capacity = 0;

    ~UnitRun() { OBMEM_AllocatorFree(allocator, data); }
    bool Reserve(size_t total)
    {
        if (total <= capacity)
            return true;
        size_t grown = capacity < 64 ? 64 : capacity * 2;
        if (grown < total)
            grown = total;
        if (grown > 0x7fffffff / sizeof(Unit))
            return false;
        void* block = GrowBlock(allocator, data, length * sizeof(Unit), grown * sizeof(Unit));
        if (!block)
            return false;
        data = static_cast<Unit*>(block);
        capacity = grown;
        return true;
    }
    // False when the units could not be kept.
    bool Append(const Unit* units, size_t count)
    {
        if (count == 0)
            return true;
        if (!Reserve(length + count))
            return false;
        memcpy(data + length, units, count * sizeof(Unit));
        length += count;
        return true;
    }
};

using ByteRun = UnitRun<uint8_t>;

} // namespace

// Wide text under construction with the UTF-8 decoding state of its bytes. The decoding follows
// COB_UTF8Decoder: stray continuation bytes and 0xFE/0xFF give nothing, an interrupted sequence gives
// nothing, and overlong forms, surrogates, an encoded 0 and values beyond U+10FFFF give U+FFFD.
struct CXML_WideRun
{
    _IOB_Allocator* allocator = nullptr;
    wchar_t* data = nullptr;
    int length = 0;
    int capacity = 0;
    unsigned int pending = 0;
    unsigned int value = 0;
    unsigned int sequence = 0;

    ~CXML_WideRun() { OBMEM_AllocatorFree(allocator, data); }
    void Clear()
    {
        length = 0;
        pending = 0;
    }
    // Room for extra more characters; false when the buffer cannot grow (the text is then cut short).
    bool Reserve(size_t extra)
    {
        if (static_cast<size_t>(capacity - length) >= extra)
            return true;
        size_t total = static_cast<size_t>(length) + extra;
        size_t grown = capacity < 64 ? 64 : static_cast<size_t>(capacity) * 2;
        if (grown < total)
            grown = total;
        if (grown > 0x1fffffff)
            return false;
        void* block =
            GrowBlock(allocator, data, static_cast<size_t>(length) * sizeof(wchar_t), grown * sizeof(wchar_t));
        if (!block)
            return false;
        data = static_cast<wchar_t*>(block);
        capacity = static_cast<int>(grown);
        return true;
    }
    void Append(wchar_t ch)
    {
        if (length < capacity || Reserve(1))
            data[length++] = ch;
    }
    void Decode(uint8_t byte)
    {
        if (byte < 0x80) {
            pending = 0;
            Append(static_cast<wchar_t>(byte));
            return;
        }
        if (byte < 0xC0) {
            if (pending == 0)
                return;
            --pending;
            value |= static_cast<unsigned int>(byte & 0x3F) << (6 * pending);
            if (pending != 0)
                return;
            unsigned int ch = value;
            if (ch == 0 || ch < kUtf8Minimum[sequence] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
                ch = 0xFFFD;
            Append(static_cast<wchar_t>(ch));
            return;
        }
        if (byte < 0xE0) {
            pending = 1;
            value = static_cast<unsigned int>(byte & 0x1F) << 6;
        } else if (byte < 0xF0) {
            pending = 2;
            value = static_cast<unsigned int>(byte & 0x0F) << 12;
        } else if (byte < 0xF8) {
            pending = 3;
            value = static_cast<unsigned int>(byte & 0x07) << 18;
        } else if (byte < 0xFC) {
            pending = 4;
            value = static_cast<unsigned int>(byte & 0x03) << 24;
        } else if (byte < 0xFE) {
            pending = 5;
            value = static_cast<unsigned int>(byte & 0x01) << 30;
        } else {
            return;
        }
        sequence = pending + 1;
    }
    // Widens the plain ASCII bytes at the start of bytes[0..count), a block at a time, up to the first
    // stop byte (see StopBytes) or the last short block; returns how many it took. Room for count
    // more characters must have been reserved.
    size_t TakeAscii(const uint8_t* bytes, size_t count, uint64_t stop1, uint64_t stop2)
    {
        size_t taken = 0;
#ifdef __SSE2__
        const __m128i s1 = _mm_set1_epi8(static_cast<char>(stop1 & 0xFF));
        const __m128i s2 = _mm_set1_epi8(static_cast<char>(stop2 & 0xFF));
        const __m128i zero = _mm_setzero_si128();
        while (count - taken >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + taken));
            const unsigned stops = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_or_si128(v, _mm_or_si128(_mm_cmpeq_epi8(v, s1), _mm_cmpeq_epi8(v, s2)))));
            // All sixteen are written; those past the run are overwritten by whatever comes next.
            __m128i* out = reinterpret_cast<__m128i*>(data + length);
            const __m128i lo = _mm_unpacklo_epi8(v, zero);
            const __m128i hi = _mm_unpackhi_epi8(v, zero);
            _mm_storeu_si128(out, _mm_unpacklo_epi16(lo, zero));
            _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(lo, zero));
            _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(hi, zero));
            _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(hi, zero));
            const size_t run = stops ? static_cast<size_t>(__builtin_ctz(stops)) : 16;
            length += static_cast<int>(run);
            taken += run;
            if (run < 16)
                break;
        }
#else
        while (count - taken >= 8) {
            uint64_t w;
            memcpy(&w, bytes + taken, 8);
            const uint64_t stops = StopBytes(w, stop1, stop2);
            wchar_t* out = data + length;
            for (int k = 0; k < 8; ++k)
                out[k] = static_cast<wchar_t>((w >> (8 * k)) & 0xFF);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
            const size_t run = stops ? static_cast<size_t>(__builtin_ctzll(stops)) / 8 : 8;
#else
            const size_t run = stops ? 0 : 8;
#endif
            length += static_cast<int>(run);
            taken += run;
            if (run < 8)
                break;
        }
#endif
        if (taken > 0)
            pending = 0;
        return taken;
    }
    void TrimRight()
    {
        while (length > 0) {
            const wchar_t c = data[length - 1];
            if (c != L' ' && c != L'\t' && c != L'\r' && c != L'\n')
                break;
            --length;
        }
    }
    COB_WideStringC View() const { return COB_WideStringC(data, length); }
};

namespace {

// The attributes of the tag being read, each already in the blocks it will keep. They are gathered
// here first so that the element's list is made once at its final size instead of growing with every
// attribute.
struct PendingAttrs
{
    struct Item
    {
        CXML_AttrItem attr;
        uint32_t key; // KeyOf the local name
    };

    _IOB_Allocator* allocator = nullptr;
    CXML_WideRun value; // a value that needs decoding
    Item* items = nullptr;
    int count = 0;
    int capacity = 0;
    // One bit per KeyOf the local names stored so far: most names are new, and are known to be so
    // without comparing them with every earlier one.
    uint64_t seen[4] = {0, 0, 0, 0};

    ~PendingAttrs() { OBMEM_AllocatorFree(allocator, items); }
    void Clear()
    {
        count = 0;
        seen[0] = seen[1] = seen[2] = seen[3] = 0;
    }
    COB_ByteStringC Space(int i) const { return items[i].attr.m_QSpaceName; }
    COB_ByteStringC Name(int i) const { return items[i].attr.m_AttrName; }
    // Length, first and last byte of a local name: most names that differ differ here already.
    static uint32_t KeyOf(const COB_ByteStringC& name)
    {
        const int n = name.GetLength();
        if (n <= 0)
            return 0;
        return static_cast<uint32_t>(n) << 16 | static_cast<uint32_t>(name.GetAt(0)) << 8 |
               static_cast<uint32_t>(name.GetAt(n - 1));
    }
    static unsigned BitOf(uint32_t key) { return (key * 0x9E3779B1u) >> 24; }
    bool MaySee(uint32_t key) const { return (seen[BitOf(key) >> 6] >> (BitOf(key) & 63)) & 1; }
    // As CXML_AttrItem::Matches: an empty space matches any stored prefix.
    bool Matches(int i, const COB_ByteStringC& space, const COB_ByteStringC& name) const
    {
        return Name(i) == name && (space.IsEmpty() || Space(i) == space);
    }
    // Index of the first match, or -1.
    int Find(const COB_ByteStringC& space, const COB_ByteStringC& name) const
    {
        const uint32_t key = KeyOf(name);
        if (!MaySee(key))
            return -1;
        for (int i = 0; i < count; ++i) {
            if (items[i].key == key && Matches(i, space, name))
                return i;
        }
        return -1;
    }
    // Takes the attribute's strings; false (and they are freed) when the list cannot grow.
    bool Add(const CXML_AttrItem& attr)
    {
        if (count == capacity) {
            const int grown = capacity < 16 ? 16 : capacity * 2;
            void* block = grown > 0x7fffffff / static_cast<int>(sizeof(Item))
                              ? nullptr
                              : GrowBlock(allocator, items, static_cast<size_t>(count) * sizeof(Item),
                                          static_cast<size_t>(grown) * sizeof(Item));
            if (!block) {
                CXML_AttrItem lost = attr;
                lost.Empty(allocator);
                return false;
            }
            items = static_cast<Item*>(block);
            capacity = grown;
        }
        Item& item = items[count++];
        item.attr = attr;
        item.key = KeyOf(attr.m_AttrName);
        const unsigned bit = BitOf(item.key);
        seen[bit >> 6] |= uint64_t(1) << (bit & 63);
        return true;
    }
    // Frees the strings of every item (they were not handed over).
    void Drop()
    {
        for (int i = 0; i < count; ++i)
            items[i].attr.Empty(allocator);
        count = 0;
    }
};

// Index of one tag's attributes by name, so that storing n attributes, each replacing an earlier
// one of the same name, takes linear time. Two open-addressing tables of item indexes: by local name
// (a bare name matches any prefix) and by prefix and name together.
class AttrIndex
{
public:
    explicit AttrIndex(_IOB_Allocator* allocator) : m_pAllocator(allocator) {}
    ~AttrIndex() { OBMEM_AllocatorFree(m_pAllocator, m_pSlots); }

    // Items below this count are found by a plain scan.
    enum { kThreshold = 64 };

    void Reset() { m_nIndexed = 0; }

    // Index of the first item that a store of (space, name) replaces, or -1.
    int Find(const PendingAttrs& list, const COB_ByteStringC& space, const COB_ByteStringC& name)
    {
        const int count = list.count;
        if (count < kThreshold)
            return list.Find(space, name);
        if (!Sync(list))
            return list.Find(space, name);
        const bool exact = !space.IsEmpty();
        const int32_t* table = exact ? m_pSlots + m_nCapacity : m_pSlots;
        for (size_t slot = Hash(space, name, exact) & (m_nCapacity - 1);; slot = (slot + 1) & (m_nCapacity - 1)) {
            const int32_t item = table[slot];
            if (item < 0)
                return -1;
            if (Same(list, item, space, name, exact))
                return item;
        }
    }

private:
    static size_t Hash(const COB_ByteStringC& space, const COB_ByteStringC& name, bool exact)
    {
        uint64_t h = 1469598103934665603ull;
        if (exact) {
            for (int i = 0; i < space.GetLength(); ++i)
                h = (h ^ space.GetAt(i)) * 1099511628211ull;
            h = (h ^ ':') * 1099511628211ull;
        }
        for (int i = 0; i < name.GetLength(); ++i)
            h = (h ^ name.GetAt(i)) * 1099511628211ull;
        return static_cast<size_t>(h ^ (h >> 29));
    }
    static bool Same(const PendingAttrs& list, int item, const COB_ByteStringC& space, const COB_ByteStringC& name,
                     bool exact)
    {
        return list.Name(item) == name && (!exact || list.Space(item) == space);
    }
    // Keeps the first item of each key.
    void Insert(const PendingAttrs& list, int item, bool exact)
    {
        const COB_ByteStringC space = exact ? list.Space(item) : COB_ByteStringC();
        const COB_ByteStringC name = list.Name(item);
        int32_t* table = exact ? m_pSlots + m_nCapacity : m_pSlots;
        for (size_t slot = Hash(space, name, exact) & (m_nCapacity - 1);; slot = (slot + 1) & (m_nCapacity - 1)) {
            const int32_t existing = table[slot];
            if (existing < 0) {
                table[slot] = item;
                return;
            }
            if (Same(list, existing, space, name, exact))
                return;
        }
    }
    // Brings the tables up to the items of list; false when they cannot be had.
    bool Sync(const PendingAttrs& list)
    {
        const int count = list.count;
        if (static_cast<size_t>(count) * 2 >= m_nCapacity || m_nIndexed == 0) {
            size_t capacity = 64;
            while (capacity <= static_cast<size_t>(count) * 2)
                capacity *= 2;
            if (capacity != m_nCapacity || !m_pSlots) {
                void* block = GrowBlock(m_pAllocator, m_pSlots, 0, capacity * 2 * sizeof(int32_t));
                if (!block)
                    return false;
                m_pSlots = static_cast<int32_t*>(block);
                m_nCapacity = capacity;
            }
            memset(m_pSlots, 0xFF, m_nCapacity * 2 * sizeof(int32_t));
            m_nIndexed = 0;
        }
        for (; m_nIndexed < count; ++m_nIndexed) {
            Insert(list, m_nIndexed, false);
            Insert(list, m_nIndexed, true);
        }
        return true;
    }

    _IOB_Allocator* m_pAllocator;
    int32_t* m_pSlots = nullptr; // by local name, then by prefix and name
    size_t m_nCapacity = 0;
    int m_nIndexed = 0;
};

} // namespace

// The children of the elements being read, the innermost element's last: each element takes its own
// when it ends, so that its child array is made once at its final size.
struct ChildUnits : UnitRun<uint64_t>
{
    bool Push(CXML_Element::ChildType type, void* pointer)
    {
        const uint64_t units[2] = {static_cast<uint64_t>(type), reinterpret_cast<uintptr_t>(pointer)};
        return Append(units, 2);
    }
};

// Blocks of a tree built in a grow-only pool, carved from larger pieces of that pool. The pool gives
// nothing back one by one, so the tree cannot tell the difference; its lock is taken once per piece
// instead of once per string.
struct PoolCarver
{
    _IOB_Allocator table; // first: the carver stands in for an allocator
    _IOB_Allocator* pool;
    uint8_t* next = nullptr;
    size_t left = 0;

    enum : size_t { kPiece = 32768, kLargest = 2048 };

    explicit PoolCarver(_IOB_Allocator* owner) : pool(owner)
    {
        table.AllocDebug = [](_IOB_Allocator* a, size_t size, const char*, int) { return Of(a)->Carve(size); };
        table.Alloc = [](_IOB_Allocator* a, size_t size) { return Of(a)->Carve(size); };
        table.ReallocDebug = [](_IOB_Allocator*, void*, size_t, const char*, int) -> void* { return nullptr; };
        table.Realloc = [](_IOB_Allocator*, void*, size_t) -> void* { return nullptr; };
        table.Free = [](_IOB_Allocator*, void*) {};
    }
    static PoolCarver* Of(_IOB_Allocator* a) { return reinterpret_cast<PoolCarver*>(a); }
    // Aligned to 8 bytes, enough for every record of the tree.
    void* Carve(size_t size)
    {
        if (size > kLargest)
            return pool->Alloc(pool, size);
        const size_t rounded = (size + 7) & ~size_t(7);
        if (rounded > left) {
            void* piece = pool->Alloc(pool, kPiece);
            if (!piece)
                return nullptr;
            next = static_cast<uint8_t*>(piece);
            left = kPiece;
        }
        void* block = next;
        next += rounded;
        left -= rounded;
        return block;
    }
};

// Working buffers of one parse, reused by every element.
struct CXML_ParserScratch
{
    explicit CXML_ParserScratch(_IOB_Allocator* allocator) : index(allocator), carver(allocator)
    {
        name.allocator = cdata.allocator = allocator;
        value.allocator = text.allocator = record.allocator = allocator;
        attrs.allocator = attrs.value.allocator = allocator;
        children.allocator = allocator;
    }
    ByteRun name;  // a name that crosses a block boundary
    ByteRun cdata; // a CDATA section, which may cross block boundaries
    CXML_WideRun value;
    CXML_WideRun text;   // the current text run
    CXML_WideRun record; // tabs and line breaks skipped between markup, when they are kept
    PendingAttrs attrs;
    AttrIndex index;
    ChildUnits children;
    PoolCarver carver;
};

bool CheckFirstNonEmptyChar(const uint8_t* data, size_t size)
{
    if (!data)
        return false;
    size_t i = 0;
    while (i < size && IsAsciiSpace(data[i]))
        ++i;
    if (i >= size)
        return false;
    const uint8_t* p = data + i;
    const size_t left = size - i;
    if (p[0] == '<')
        return true;
    if (left >= 4 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF && p[3] == '<')
        return true;
    if (left >= 3 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)) && p[2] == '<')
        return true;
    return false;
}

CXML_Parser::CXML_Parser(_IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_pBlocks(allocator), m_pDataAcc(nullptr), m_bOwnedStream(false),
      m_nBufferOffset(0), m_bSaveSpaceChars(false), m_pBuffer(nullptr), m_dwBufferSize(0), m_dwIndex(0),
      m_bIgnoreCharRef(false), m_bKeepCtrlWhiteSpace(false), m_nDepth(0), m_pScratch(nullptr)
{
}

CXML_Parser::~CXML_Parser()
{
    if (m_bOwnedStream && m_pDataAcc)
        m_pDataAcc->Release();
    if (m_pScratch) {
        m_pScratch->~CXML_ParserScratch();
        OBMEM_AllocatorFree(m_pAllocator, m_pScratch);
    }
}

bool CXML_Parser::Init(const uint8_t* buffer, size_t size)
{
    if (!buffer || size == 0 || !CheckFirstNonEmptyChar(buffer, size))
        return false;
    m_pDataAcc = CXML_DataBufAcc::Create(buffer, size, m_pAllocator);
    return m_pDataAcc && Init(true);
}

bool CXML_Parser::Init(IOB_FileRead* file)
{
    if (!file)
        return false;
    m_pDataAcc = CXML_DataStmAcc::Create(file, m_pAllocator);
    return m_pDataAcc && Init(true);
}

bool CXML_Parser::Init(IOB_BufferRead* reader)
{
    if (!reader)
        return false;
    m_pDataAcc = reader;
    return Init(false);
}

bool CXML_Parser::Init(bool bOwnedStream)
{
    m_bOwnedStream = bOwnedStream;
    m_nBufferOffset = 0;
    if (!m_pDataAcc->ReadNextBlock(false))
        return false;
    m_pBuffer = m_pDataAcc->GetBlockBuffer();
    m_dwBufferSize = m_pDataAcc->GetBlockSize();
    m_nBufferOffset = m_pDataAcc->GetBlockOffset();
    m_dwIndex = 0;
    if (!m_pBuffer || m_dwBufferSize == 0)
        return false;
    void* block = OBMEM_AllocatorAlloc(m_pAllocator, sizeof(CXML_ParserScratch));
    if (!block)
        return false;
    m_pScratch = ::new (block) CXML_ParserScratch(m_pAllocator);
    m_pBlocks = COB_GrowOnlyPool::IsPool(m_pAllocator) ? &m_pScratch->carver.table : m_pAllocator;
    return CheckFirstBytes();
}

bool CXML_Parser::ReadNextBlock()
{
    if (m_pDataAcc->IsEOF() || !m_pDataAcc->ReadNextBlock(false))
        return false;
    const uint8_t* buffer = m_pDataAcc->GetBlockBuffer();
    const size_t size = m_pDataAcc->GetBlockSize();
    if (!buffer || size == 0)
        return false;
    m_pBuffer = buffer;
    m_dwBufferSize = size;
    m_nBufferOffset = m_pDataAcc->GetBlockOffset();
    m_dwIndex = 0;
    return true;
}

bool CXML_Parser::IsEOF()
{
    return m_dwIndex >= m_dwBufferSize && m_pDataAcc->IsEOF();
}

// The start check of the whole input, made byte by byte so that a caller's reader with small blocks
// is judged as the same bytes in memory would be. White space and a byte-order mark are consumed: the
// root's search for "<" passes over them anyway.
bool CXML_Parser::CheckFirstBytes()
{
    for (;;) {
        while (m_dwIndex < m_dwBufferSize && IsAsciiSpace(m_pBuffer[m_dwIndex]))
            ++m_dwIndex;
        if (m_dwIndex < m_dwBufferSize)
            break;
        if (!ReadNextBlock())
            return false;
    }
    const uint8_t first = m_pBuffer[m_dwIndex];
    if (first == '<')
        return true;
    const char* rest;
    if (first == 0xEF)
        rest = "\xBB\xBF";
    else if (first == 0xFF)
        rest = "\xFE";
    else if (first == 0xFE)
        rest = "\xFF";
    else
        return false;
    ++m_dwIndex;
    for (; *rest; ++rest) {
        if (!HaveByte() || m_pBuffer[m_dwIndex] != static_cast<uint8_t>(*rest))
            return false;
        ++m_dwIndex;
    }
    return HaveByte() && m_pBuffer[m_dwIndex] == '<';
}

void CXML_Parser::SkipWhiteSpacesLoop(bool bRecord)
{
    const bool record = bRecord && m_bKeepCtrlWhiteSpace;
    for (;;) {
        const uint8_t* b = m_pBuffer;
        size_t i = m_dwIndex;
        const size_t n = m_dwBufferSize;
        if (record) {
            for (; i < n && g_OBCRT_XML_IsWhiteSpace(b[i]); ++i) {
                if (b[i] == '\t' || b[i] == '\n' || b[i] == '\r')
                    m_pScratch->record.Append(static_cast<wchar_t>(b[i]));
            }
        } else {
            while (i < n && g_OBCRT_XML_IsWhiteSpace(b[i]))
                ++i;
        }
        m_dwIndex = i;
        if (i < n || !ReadNextBlock())
            return;
    }
}

void CXML_Parser::GetName(COB_ByteStringC& prefix, COB_ByteStringC& name)
{
    ByteRun& run = m_pScratch->name;
    run.length = 0;
    bool spanned = false;
    bool colon = false; // most names have none, and then need no search for one
    size_t start = m_dwIndex;
    for (;;) {
        const uint8_t* b = m_pBuffer;
        const size_t n = m_dwBufferSize;
        const size_t i = m_dwIndex + NameRun(b + m_dwIndex, n - m_dwIndex, colon);
        m_dwIndex = i;
        if (i < n) {
            if (spanned)
                run.Append(b + start, i - start);
            break;
        }
        // The name reaches the end of the block: keep its bytes before the block is replaced.
        run.Append(b + start, i - start);
        spanned = true;
        if (!ReadNextBlock())
            break;
        start = 0;
    }
    const char* text = spanned ? reinterpret_cast<const char*>(run.data) : reinterpret_cast<const char*>(m_pBuffer + start);
    const int length = static_cast<int>(spanned ? run.length : m_dwIndex - start);
    // The last colon separates prefix and name; with two colons the middle part is the prefix.
    int last = -1;
    int before = -1;
    for (int i = 0; colon && i < length; ++i) {
        if (text[i] == ':') {
            before = last;
            last = i;
        }
    }
    if (last < 0) {
        prefix = COB_ByteStringC();
        name = COB_ByteStringC(text, length);
    } else {
        prefix = COB_ByteStringC(text + before + 1, last - before - 1);
        name = COB_ByteStringC(text + last + 1, length - last - 1);
    }
}

// Consumes input through the first occurrence of literal; without one, through the end of input.
// The literals are a run of one byte and a final byte ("-->", "?>", "]]>", ">"), so a mismatch on
// the repeated byte keeps the match made so far.
void CXML_Parser::SkipLiterals(const char* literal)
{
    const size_t length = strlen(literal);
    size_t matched = 0;
    for (;;) {
        const uint8_t* b = m_pBuffer;
        const size_t n = m_dwBufferSize;
        size_t i = m_dwIndex;
        if (length == 1) {
            const void* hit = i < n ? memchr(b + i, literal[0], n - i) : nullptr;
            if (hit) {
                m_dwIndex = static_cast<size_t>(static_cast<const uint8_t*>(hit) - b) + 1;
                return;
            }
            i = n;
        } else {
            for (; i < n; ++i) {
                const uint8_t c = b[i];
                if (c == static_cast<uint8_t>(literal[matched])) {
                    if (++matched == length) {
                        m_dwIndex = i + 1;
                        return;
                    }
                } else if (c != static_cast<uint8_t>(literal[0]) || matched == 0) {
                    matched = c == static_cast<uint8_t>(literal[0]) ? 1 : 0;
                }
            }
        }
        m_dwIndex = i;
        if (!ReadNextBlock())
            return;
    }
}

// A declaration such as a DOCTYPE, after its "<!": skipped through its closing ">", passing over
// quoted strings and an internal subset in brackets with the comments and instructions inside it.
void CXML_Parser::SkipDeclaration()
{
    int depth = 0;
    uint8_t quote = 0;
    enum { Markup, Comment, Instruction } state = Markup;
    uint8_t p1 = 0, p2 = 0, p3 = 0;
    while (HaveByte()) {
        const uint8_t c = m_pBuffer[m_dwIndex++];
        if (state == Comment) {
            if (c == '>' && p1 == '-' && p2 == '-')
                state = Markup;
        } else if (state == Instruction) {
            if (c == '>' && p1 == '?')
                state = Markup;
        } else if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            if (depth > 0)
                --depth;
        } else if (c == '>' && depth == 0) {
            return;
        } else if (depth > 0 && c == '-' && p1 == '-' && p2 == '!' && p3 == '<') {
            state = Comment;
            p1 = p2 = p3 = 0; // the opening dashes do not close the comment
            continue;
        } else if (depth > 0 && c == '?' && p1 == '<') {
            state = Instruction;
            p1 = p2 = p3 = 0;
            continue;
        }
        p3 = p2;
        p2 = p1;
        p1 = c;
    }
}

// After "&": a well-formed reference (a name, "#" and decimal digits, or "#x" and hexadecimal digits,
// then ";") gives its character; the five predefined names are known. Anything else - a bare "&", a
// reference cut short, an unknown name - stays as the literal text it was written with, so that a
// stray "&" never swallows the markup after it. A number that is no Unicode scalar value (a surrogate,
// past U+10FFFF, too large for 32 bits) gives U+FFFD, as the same value written in UTF-8 would.
void CXML_Parser::GetCharRef(CXML_WideRun& out)
{
    // The bytes go into out as literal text while they are read, so a reference of any length (leading
    // zeros, say) needs no buffer of its own; a resolved reference then takes their place.
    const int literalAt = out.length;
    const unsigned int pending = out.pending, partial = out.value, sequence = out.sequence;
    out.Append(L'&');
    enum { Start, Hash, Decimal, HexStart, Hex, Name } state = Start;
    uint32_t value = 0;
    uint8_t name[4];
    size_t nameLength = 0;
    bool complete = false;
    while (HaveByte()) {
        const uint8_t c = m_pBuffer[m_dwIndex];
        if (c == ';') {
            if (state == Decimal || state == Hex || state == Name) {
                ++m_dwIndex;
                complete = true;
            }
            break;
        }
        bool fits;
        switch (state) {
        case Start:
            fits = c == '#' || g_OBCRT_XML_IsNameIntro(c);
            state = c == '#' ? Hash : Name;
            break;
        case Hash:
            if (c == 'x') {
                fits = true;
                state = HexStart;
            } else {
                fits = c >= '0' && c <= '9';
                state = Decimal;
            }
            break;
        case Decimal:
            fits = c >= '0' && c <= '9';
            break;
        case HexStart:
        case Hex:
            fits = g_OBCRT_XML_IsHexChar(c);
            state = Hex;
            break;
        default:
            fits = g_OBCRT_XML_IsNameChar(c) || c == ':';
            break;
        }
        if (!fits)
            break;
        // Past U+10FFFF the value stops growing: it cannot come back into range, and must not wrap.
        if (state == Decimal && value <= 0x10FFFF) {
            value = value * 10u + static_cast<uint32_t>(c - '0');
        } else if (state == Hex && value <= 0x10FFFF) {
            const uint32_t digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            value = value * 16u + digit;
        } else if (state == Name) {
            if (nameLength < sizeof name)
                name[nameLength] = c;
            ++nameLength;
        }
        out.Decode(c);
        ++m_dwIndex;
    }
    wchar_t resolved = 0;
    if (complete && state != Name) {
        resolved = value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF) ? L'\xFFFD' : static_cast<wchar_t>(value);
    } else if (complete) {
        static const struct
        {
            char name[5];
            size_t length;
            wchar_t ch;
        } kNames[] = {{"gt", 2, L'>'}, {"lt", 2, L'<'}, {"amp", 3, L'&'}, {"apos", 4, L'\''}, {"quot", 4, L'"'}};
        for (const auto& known : kNames) {
            if (known.length == nameLength && memcmp(known.name, name, nameLength) == 0)
                resolved = known.ch;
        }
        if (resolved == 0) {
            out.Append(L';');
            return;
        }
    } else {
        return;
    }
    out.length = literalAt;
    out.pending = pending;
    out.value = partial;
    out.sequence = sequence;
    out.Append(resolved);
}

// After the opening quote: the value up to the matching quote into out's own block. Most values are
// plain ASCII that ends in the block at hand: they are widened straight into a block of their size.
void CXML_Parser::ReadAttrValue(uint8_t quote, COB_WideStringL& out)
{
    const uint8_t* b = m_pBuffer;
    const size_t start = m_dwIndex;
    const size_t end = m_dwBufferSize;
    size_t i = start + PlainAsciiRun(b + start, end - start, quote);
    if (i < end && b[i] == quote) {
        const size_t length = i - start;
        m_dwIndex = i + 1;
        if (length == 0 || length > 0x7ffffffe)
            return;
        wchar_t* text = out.AllocBuffer(static_cast<int>(length), m_pBlocks);
        if (!text)
            return;
        WidenAscii(b + start, length, text);
        text[length] = 0;
        return;
    }
    CXML_WideRun& value = m_pScratch->attrs.value;
    value.Clear();
    GetAttrValue(quote);
    out.Set(value.View(), m_pBlocks);
}

// After the opening quote: the value up to the matching quote, references resolved, decoded into the
// tag's value run.
void CXML_Parser::GetAttrValue(uint8_t quote)
{
    CXML_WideRun& value = m_pScratch->attrs.value;
    const uint64_t quoteBytes = kEveryByte * quote;
    for (;;) {
        const uint8_t* b = m_pBuffer;
        const size_t end = m_dwBufferSize;
        size_t i = m_dwIndex;
        // At most one character per byte, so the run is sized once per chunk.
        const size_t n = end - i > kChunk ? i + kChunk : end;
        const bool roomy = value.Reserve(n - i);
        for (; i < n; ++i) {
            if (roomy) {
                i += value.TakeAscii(b + i, n - i, quoteBytes, kAmpBytes);
                if (i == n)
                    break;
            }
            const uint8_t c = b[i];
            if (c == quote) {
                m_dwIndex = i + 1;
                return;
            }
            if (c == '&') {
                m_dwIndex = i + 1;
                GetCharRef(value);
                break;
            }
            if (c < 0x80 && roomy) {
                value.pending = 0;
                value.data[value.length++] = static_cast<wchar_t>(c);
            } else {
                value.Decode(c);
            }
        }
        if (i < n)
            continue; // after a reference
        m_dwIndex = i;
        if (i < end)
            continue; // the next chunk
        if (!ReadNextBlock())
            return;
    }
}

void CXML_Parser::GetTagName(COB_ByteStringC& prefix, COB_ByteStringC& name, bool& bEndTag, bool bStartTag)
{
    bEndTag = false;
    prefix = COB_ByteStringC();
    name = COB_ByteStringC();
    if (!bStartTag) {
        for (;;) {
            SkipLiterals("<");
            if (!HaveByte())
                return;
            const uint8_t c = m_pBuffer[m_dwIndex];
            if (c == '!') {
                ++m_dwIndex;
                if (HaveByte() && m_pBuffer[m_dwIndex] == '-')
                    SkipLiterals("-->");
                else
                    SkipDeclaration();
                continue;
            }
            if (c == '?') {
                ++m_dwIndex;
                SkipLiterals("?>");
                continue;
            }
            if (c == '/') {
                ++m_dwIndex;
                bEndTag = true;
            }
            break;
        }
    }
    if (HaveByte())
        GetName(prefix, name);
}

CXML_Element* CXML_Parser::NewElement(const COB_ByteStringC& prefix, const COB_ByteStringC& name)
{
    if (!m_pAllocator)
        return new CXML_Element(prefix, name, nullptr);
    void* block = m_pBlocks->Alloc(m_pBlocks, sizeof(CXML_Element));
    if (!block)
        return nullptr;
    // The element keeps the caller's allocator; its first blocks may come from the carver.
    CXML_Element* element = ::new (block) CXML_Element(m_pAllocator);
    element->m_QSpace.Set(prefix, m_pBlocks);
    element->m_TagName.Set(name, m_pBlocks);
    return element;
}

void CXML_Parser::DeleteElement(CXML_Element* element)
{
    if (!m_pAllocator) {
        delete element;
        return;
    }
    element->~CXML_Element();
    m_pAllocator->Free(m_pAllocator, element);
}

CXML_Element* CXML_Parser::ParseRoot(bool bSaveSpaceChars, bool bIgnoreCharRef, bool bKeepCtrlWhiteSpace)
{
    m_bSaveSpaceChars = bSaveSpaceChars;
    m_bIgnoreCharRef = bIgnoreCharRef;
    m_bKeepCtrlWhiteSpace = bKeepCtrlWhiteSpace;
    m_nDepth = 0;
    return ParseElement(nullptr, false);
}

CXML_Element* CXML_Parser::ParseElement(CXML_Element* /*parent: set when the child is added*/, bool bStartTag)
{
    // The root is level 0: 512 levels are built, the next is refused. The caller undoes the count.
    if (m_nDepth++ > 511)
        return nullptr;
    if (!HaveByte())
        return nullptr;
    COB_ByteStringC prefix, name;
    bool bEndTag = false;
    GetTagName(prefix, name, bEndTag, bStartTag);
    if (name.IsEmpty() || bEndTag)
        return nullptr;
    CXML_Element* element = NewElement(prefix, name);
    if (!element)
        return nullptr;
    ParseAttributes(element);
    SkipWhiteSpaces(false);
    if (!HaveByte())
        return element;
    const uint8_t c = m_pBuffer[m_dwIndex++];
    if (c == '/') {
        SkipLiterals(">");
        return element;
    }
    if (c == '>') {
        ParseContent(element);
        return element;
    }
    DeleteElement(element);
    return nullptr;
}

void CXML_Parser::ParseAttributes(CXML_Element* element)
{
    PendingAttrs& attrs = m_pScratch->attrs;
    attrs.Clear();
    m_pScratch->index.Reset();
    for (;;) {
        SkipWhiteSpaces(false);
        if (!HaveByte() || !g_OBCRT_XML_IsNameIntro(m_pBuffer[m_dwIndex]))
            break;
        COB_ByteStringC prefix, name;
        GetName(prefix, name);
        // The name goes into its own blocks at once: it outlives the input block it was read from.
        CXML_AttrItem attr;
        if (!prefix.IsEmpty())
            attr.m_QSpaceName.Set(prefix, m_pBlocks);
        attr.m_AttrName.Set(name, m_pBlocks);
        const bool kept = attr.m_QSpaceName.GetLength() == prefix.GetLength() &&
                          attr.m_AttrName.GetLength() == name.GetLength();
        SkipWhiteSpaces(false);
        if (!HaveByte() || m_pBuffer[m_dwIndex] != '=') {
            attr.Empty(m_pAllocator);
            break;
        }
        ++m_dwIndex;
        SkipWhiteSpaces(false);
        if (!HaveByte()) {
            attr.Empty(m_pAllocator);
            break;
        }
        const uint8_t quote = m_pBuffer[m_dwIndex];
        if (quote == '"' || quote == '\'') {
            ++m_dwIndex;
            ReadAttrValue(quote, attr.m_Value);
        }
        if (!kept) {
            attr.Empty(m_pAllocator); // the name could not be kept
            continue;
        }
        const int existing = m_pScratch->index.Find(attrs, attr.m_QSpaceName, attr.m_AttrName);
        if (existing < 0) {
            attrs.Add(attr);
            continue;
        }
        // The earlier item keeps its own name and place and takes the later value.
        CXML_AttrItem& earlier = attrs.items[existing].attr;
        earlier.m_Value.Empty(m_pAllocator);
        earlier.m_Value = attr.m_Value;
        attr.m_QSpaceName.Empty(m_pAllocator);
        attr.m_AttrName.Empty(m_pAllocator);
    }
    if (attrs.count == 0)
        return;
    CXML_AttrItem* items = element->GetAttrMap().AppendEmpty(attrs.count, m_pAllocator);
    if (!items) {
        attrs.Drop();
        return;
    }
    // The strings change hands.
    for (int i = 0; i < attrs.count; ++i)
        items[i] = attrs.items[i].attr;
    attrs.count = 0;
}

void CXML_Parser::InsertContentSegment(bool bCDATA, const COB_WideStringC& text, CXML_Element* element)
{
    if (text.IsEmpty())
        return;
    CXML_Content* record = element->NewContent(text, bCDATA, m_pBlocks);
    if (record && !m_pScratch->children.Push(CXML_Element::Content, record))
        element->FreeChild(CXML_Element::Content, record);
}

void CXML_Parser::FlushText(CXML_Element* element)
{
    CXML_WideRun& text = m_pScratch->text;
    if (!m_bSaveSpaceChars)
        text.TrimRight();
    InsertContentSegment(false, text.View(), element);
    text.Clear();
}

// After "<![": the section through "]]>". The six bytes after "[" are taken to be "CDATA[".
void CXML_Parser::ParseCDATA(CXML_Element* element)
{
    FlushText(element);
    ByteRun& section = m_pScratch->cdata;
    section.length = 0;
    bool closed = false;
    bool whole = true;
    while (!closed) {
        const uint8_t* b = m_pBuffer;
        const size_t n = m_dwBufferSize;
        const size_t start = m_dwIndex;
        size_t i = start;
        for (; i < n; ++i) {
            if (b[i] != '>')
                continue;
            // The "]]" before it may lie in the bytes kept from earlier blocks.
            const size_t have = section.length + (i - start);
            const uint8_t q1 = i - start >= 1 ? b[i - 1] : (have >= 1 ? section.data[section.length - 1] : 0);
            const uint8_t q2 = i - start >= 2 ? b[i - 2] : (have >= 2 ? section.data[have - 2] : 0);
            if (q1 == ']' && q2 == ']') {
                closed = true;
                ++i;
                break;
            }
        }
        whole = section.Append(b + start, i - start) && whole;
        m_dwIndex = i;
        if (!closed && !ReadNextBlock())
            break;
    }
    // An unclosed section keeps everything up to the end of input; one that could not be kept whole
    // (no memory) keeps what was, without its closing "]]>".
    const size_t end = closed && whole ? section.length - 3 : section.length;
    if (end <= 6)
        return;
    CXML_WideRun& text = m_pScratch->text;
    text.Clear();
    for (size_t i = 6; i < end; ++i)
        text.Decode(section.data[i]);
    InsertContentSegment(true, text.View(), element);
    text.Clear();
}

// The recorded line breaks and tabs followed by the pending text, as one run; the
// record is used up.
CXML_WideRun& CXML_Parser::JoinRecordedWhiteSpace()
{
    const CXML_WideRun& text = m_pScratch->text;
    CXML_WideRun& run = m_pScratch->value;
    run.Clear();
    CXML_WideRun& record = m_pScratch->record;
    if (run.Reserve(static_cast<size_t>(record.length + text.length))) {
        wmemcpy(run.data, record.data, static_cast<size_t>(record.length));
        if (text.length > 0)
            wmemcpy(run.data + record.length, text.data, static_cast<size_t>(text.length));
        run.length = record.length + text.length;
    }
    record.Clear();
    return run;
}

void CXML_Parser::ParseContent(CXML_Element* element)
{
    ChildUnits& children = m_pScratch->children;
    const size_t base = children.length;
    ReadContent(element);
    element->AdoptChildren(children.data + base, children.length - base);
    children.length = base;
}

void CXML_Parser::ReadContent(CXML_Element* element)
{
    CXML_WideRun& text = m_pScratch->text;
    text.Clear();
    if (!m_bSaveSpaceChars) {
        SkipWhiteSpaces(true);
        if (!HaveByte())
            return;
    }
    const bool charRefs = !m_bIgnoreCharRef;
    for (;;) {
        // Text state: up to the next "<".
        bool markup = false;
        while (!markup) {
            const uint8_t* b = m_pBuffer;
            const size_t end = m_dwBufferSize;
            size_t i = m_dwIndex;
            const size_t n = end - i > kChunk ? i + kChunk : end;
            const bool roomy = text.Reserve(n - i);
            for (; i < n; ++i) {
                if (roomy) {
                    i += text.TakeAscii(b + i, n - i, kLtBytes, charRefs ? kAmpBytes : kLtBytes);
                    if (i == n)
                        break;
                }
                const uint8_t c = b[i];
                if (c == '<') {
                    markup = true;
                    ++i;
                    break;
                }
                if (c == '&' && charRefs) {
                    // In text a reference cuts off the multi-byte sequence in progress; in an
                    // attribute value that sequence may go on after the reference.
                    m_dwIndex = i + 1;
                    text.pending = 0;
                    GetCharRef(text);
                    break;
                }
                if (c < 0x80 && roomy) {
                    text.pending = 0;
                    text.data[text.length++] = static_cast<wchar_t>(c);
                } else {
                    text.Decode(c);
                }
            }
            if (i < n && !markup)
                continue; // after a reference
            m_dwIndex = i;
            if (!markup && i == end && !ReadNextBlock())
                break;
        }
        if (!markup || !HaveByte())
            break;
        const uint8_t c = m_pBuffer[m_dwIndex];
        if (c == '!') {
            ++m_dwIndex;
            if (!HaveByte())
                break;
            const uint8_t kind = m_pBuffer[m_dwIndex++];
            if (kind == '-') {
                if (HaveByte())
                    ++m_dwIndex;
                SkipLiterals("-->");
            } else if (kind == '[') {
                ParseCDATA(element);
            } else {
                SkipLiterals(">");
            }
            // The text before a comment or declaration goes on as one run with the text after it;
            // a multi-byte sequence cut by the construct does not.
            text.pending = 0;
            SkipWhiteSpaces(false);
            continue;
        }
        if (c == '?') {
            ++m_dwIndex;
            SkipLiterals("?>");
            SkipWhiteSpaces(false);
            continue;
        }
        if (c == '/') {
            // End tags are not matched against the start tag.
            ++m_dwIndex;
            COB_ByteStringC ignoredPrefix, ignoredName;
            if (HaveByte())
                GetName(ignoredPrefix, ignoredName);
            SkipWhiteSpaces(false);
            SkipLiterals(">");
            break;
        }
        // A child element.
        if (m_bKeepCtrlWhiteSpace && m_pScratch->record.length > 0) {
            // The recorded line breaks and tabs lead the run, which is kept untrimmed.
            InsertContentSegment(false, JoinRecordedWhiteSpace().View(), element);
            text.Clear();
        } else {
            FlushText(element);
        }
        CXML_Element* child = ParseElement(element, true);
        --m_nDepth;
        if (child) {
            if (!m_pScratch->children.Push(CXML_Element::Element, child))
                DeleteElement(child);
            SkipWhiteSpaces(true);
        }
    }
    if (m_bKeepCtrlWhiteSpace && m_pScratch->record.length > 0) {
        CXML_WideRun& run = JoinRecordedWhiteSpace();
        if (!m_bSaveSpaceChars)
            run.TrimRight();
        InsertContentSegment(false, run.View(), element);
        text.Clear();
        return;
    }
    FlushText(element);
}

// ---- entry points ------------------------------------------------------------------------------

namespace {

// The three forms differ only in where the parser reads from.
CXML_Element* ParseInitialised(CXML_Parser& parser, bool initialised, bool bSaveSpaceChars, int64_t* pParsedSize,
                               bool bIgnoreCharRef, bool bKeepCtrlWhiteSpace)
{
    if (!initialised)
        return nullptr;
    CXML_Element* root = parser.ParseRoot(bSaveSpaceChars, bIgnoreCharRef, bKeepCtrlWhiteSpace);
    if (pParsedSize)
        *pParsedSize = parser.GetOffset();
    return root;
}

} // namespace

CXML_Element* CXML_Element::Parse(const void* pBuffer, size_t size, bool bSaveSpaceChars, int64_t* pParsedSize,
                                  _IOB_Allocator* pAllocator, bool bIgnoreCharRef, bool bKeepCtrlWhiteSpace)
{
    CXML_Parser parser(pAllocator);
    const bool initialised = parser.Init(static_cast<const uint8_t*>(pBuffer), size);
    return ParseInitialised(parser, initialised, bSaveSpaceChars, pParsedSize, bIgnoreCharRef, bKeepCtrlWhiteSpace);
}

CXML_Element* CXML_Element::Parse(IOB_FileRead* pFile, bool bSaveSpaceChars, int64_t* pParsedSize,
                                  _IOB_Allocator* pAllocator, bool bIgnoreCharRef, bool bKeepCtrlWhiteSpace)
{
    CXML_Parser parser(pAllocator);
    const bool initialised = parser.Init(pFile);
    return ParseInitialised(parser, initialised, bSaveSpaceChars, pParsedSize, bIgnoreCharRef, bKeepCtrlWhiteSpace);
}

CXML_Element* CXML_Element::Parse(IOB_BufferRead* pBuffer, bool bSaveSpaceChars, int64_t* pParsedSize,
                                  _IOB_Allocator* pAllocator, bool bIgnoreCharRef, bool bKeepCtrlWhiteSpace)
{
    CXML_Parser parser(pAllocator);
    const bool initialised = parser.Init(pBuffer);
    return ParseInitialised(parser, initialised, bSaveSpaceChars, pParsedSize, bIgnoreCharRef, bKeepCtrlWhiteSpace);
}
