#include "COB_ByteString.h"

#include <climits>
#include <cstdio>
#include <sys/types.h>

#include "COB_BinaryBuf.h"
#include "COB_CharMap.h"
#include "COB_MemoryMgr.h"
#include "COB_WideString.h"
#include "COB_StringMatchList.h"
#include "COB_UTF8Decoder.h"

namespace {

// Every size is computed in 64 bits first: a block must hold its header, the characters and the
// terminator within the default manager's limit, or it is not requested at all.
COB_ByteStringData* NewData(int64_t allocLength)
{
    if (allocLength <= 0 || allocLength > INT_MAX)
        return nullptr;
    const int64_t bytes = static_cast<int64_t>(sizeof(COB_ByteStringData)) + allocLength + 1;
    if (bytes > 0x7fffffff)
        return nullptr;
    auto* d = static_cast<COB_ByteStringData*>(OBMEM_DefaultAlloc2(static_cast<size_t>(bytes), 1, 0));
    if (!d)
        return nullptr;
    d->nRefs = 1;
    d->nAllocLength = static_cast<int32_t>(allocLength);
    d->nDataLength = static_cast<int32_t>(allocLength);
    d->data()[allocLength] = 0;
    return d;
}

void ReleaseData(COB_ByteStringData* d)
{
    if (!d)
        return;
    if (d->nRefs >= 2)
        --d->nRefs;
    else
        OBMEM_DefaultFree(d, 0);
}

COB_ByteStringData* CopyData(const char* s, int len)
{
    COB_ByteStringData* d = NewData(len);
    if (d)
        memcpy(d->data(), s, static_cast<size_t>(len));
    return d;
}

bool InSet(const COB_ByteStringC& set, char ch)
{
    return memchr(set.GetPtr(), static_cast<unsigned char>(ch), static_cast<size_t>(set.GetLength())) != nullptr;
}

const COB_ByteStringC kWhitespace("\t\n\v\f\r ", 6);

char FoldLower(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + ('a' - 'A')) : ch;
}

} // namespace

// ---- construction and assignment -------------------------------------------------------------

COB_ByteString::COB_ByteString(const char* s, int len) : m_pData(nullptr)
{
    if (len < 0) {
        if (!s)
            return;
        len = static_cast<int>(strlen(s));
    }
    if (len <= 0)
        return;
    m_pData = CopyData(s, len);
}

COB_ByteString::COB_ByteString(const unsigned char* s, int len) : m_pData(nullptr)
{
    if (len <= 0)
        return;
    m_pData = CopyData(reinterpret_cast<const char*>(s), len);
}

COB_ByteString::COB_ByteString(char ch) : m_pData(CopyData(&ch, 1)) {}

COB_ByteString::COB_ByteString(const COB_ByteString& other) : m_pData(nullptr)
{
    COB_ByteStringData* d = other.m_pData;
    if (!d || d->nDataLength <= 0)
        return;
    if (d->nRefs < 0) {
        m_pData = CopyData(d->data(), d->nDataLength);
        return;
    }
    ++d->nRefs;
    m_pData = d;
}

COB_ByteString::COB_ByteString(const COB_ByteStringC& s) : m_pData(nullptr)
{
    if (s.GetLength() <= 0)
        return;
    m_pData = CopyData(s.GetCStr(), s.GetLength());
}

COB_ByteString::COB_ByteString(const COB_ByteStringC& a, const COB_ByteStringC& b) : m_pData(nullptr)
{
    const int64_t total = static_cast<int64_t>(a.GetLength()) + b.GetLength();
    if (total <= 0)
        return;
    COB_ByteStringData* d = NewData(total);
    if (!d)
        return;
    if (a.GetLength() > 0)
        memcpy(d->data(), a.GetPtr(), static_cast<size_t>(a.GetLength()));
    if (b.GetLength() > 0)
        memcpy(d->data() + a.GetLength(), b.GetPtr(), static_cast<size_t>(b.GetLength()));
    m_pData = d;
}

COB_ByteString::~COB_ByteString()
{
    ReleaseData(m_pData);
}

void COB_ByteString::Release()
{
    ReleaseData(m_pData);
    m_pData = nullptr;
}

void COB_ByteString::Empty()
{
    Release();
}

COB_ByteString& COB_ByteString::operator=(const COB_ByteString& other)
{
    if (m_pData == other.m_pData)
        return *this;
    COB_ByteStringData* src = other.m_pData;
    if (!src || src->nDataLength <= 0) {
        Release();
        return *this;
    }
    if ((m_pData && m_pData->nRefs < 0) || src->nRefs < 0) {
        AssignCopy(src->nDataLength, src->data());
        return *this;
    }
    Release();
    ++src->nRefs;
    m_pData = src;
    return *this;
}

COB_ByteString& COB_ByteString::operator=(const COB_ByteStringC& s)
{
    if (s.GetLength() <= 0)
        Release();
    else
        AssignCopy(s.GetLength(), s.GetCStr());
    return *this;
}

COB_ByteString& COB_ByteString::operator=(const char* s)
{
    if (!s || !*s)
        Release();
    else
        AssignCopy(static_cast<int>(strlen(s)), s);
    return *this;
}

COB_ByteString& COB_ByteString::operator=(const COB_BinaryBuf& buf)
{
    Release();
    if (buf.GetSize() > 0 && buf.GetBuffer())
        m_pData = CopyData(reinterpret_cast<const char*>(buf.GetBuffer()), buf.GetSize());
    return *this;
}

void COB_ByteString::Load(const unsigned char* s, int len)
{
    // The copy is made before the old block goes: s may lie inside it.
    COB_ByteStringData* d = len >= 1 ? CopyData(reinterpret_cast<const char*>(s), len) : nullptr;
    Release();
    m_pData = d;
}

void COB_ByteString::AssignCopy(int len, const char* s)
{
    if (m_pData) {
        if (m_pData->nRefs >= 2) {
            --m_pData->nRefs;
            m_pData = nullptr;
        } else if (len >= 0 && m_pData->nAllocLength >= len) {
            // s may lie inside this very buffer.
            memmove(m_pData->data(), s, static_cast<size_t>(len));
            m_pData->nDataLength = len;
            m_pData->data()[len] = 0;
            return;
        } else {
            Release();
        }
    }
    if (len < 1)
        return;
    m_pData = CopyData(s, len);
}

// ---- concatenation ---------------------------------------------------------------------------

COB_ByteString& COB_ByteString::operator+=(const char* s)
{
    if (s)
        ConcatInPlace(static_cast<int>(strlen(s)), s);
    return *this;
}

COB_ByteString& COB_ByteString::operator+=(const COB_ByteString& s)
{
    if (s.GetLength() > 0)
        ConcatInPlace(s.GetLength(), s.c_str());
    return *this;
}

COB_ByteString& COB_ByteString::operator+=(const COB_ByteStringC& s)
{
    if (s.GetLength() > 0)
        ConcatInPlace(s.GetLength(), s.GetCStr());
    return *this;
}

void COB_ByteString::ConcatInPlace(int len, const char* s)
{
    if (len <= 0 || !s)
        return;
    if (!m_pData) {
        m_pData = CopyData(s, len);
        return;
    }
    COB_ByteStringData* d = m_pData;
    if (d->nRefs < 2 && static_cast<int64_t>(d->nDataLength) + len <= d->nAllocLength) {
        // s cannot overlap the destination: it lies within the text, which ends where we write.
        memcpy(d->data() + d->nDataLength, s, static_cast<size_t>(len));
        d->nDataLength += len;
        d->data()[d->nDataLength] = 0;
        return;
    }
    ConcatCopy(d->nDataLength, d->data(), len, s);
    ReleaseData(d);
}

void COB_ByteString::ConcatCopy(int len1, const char* s1, int len2, const char* s2)
{
    if (len2 <= 0)
        return;
    const int64_t current = m_pData ? m_pData->nDataLength : 0;
    const int64_t grow = current / 2 > len2 ? current / 2 : len2;
    const int64_t allocLength = current + grow;
    const int64_t total = static_cast<int64_t>(len1 < 0 ? 0 : len1) + len2;
    COB_ByteStringData* d = nullptr;
    if (allocLength > 0 && allocLength <= INT_MAX && total <= allocLength)
        d = NewData(allocLength);
    if (d) {
        if (len1 > 0)
            memcpy(d->data(), s1, static_cast<size_t>(len1));
        memcpy(d->data() + total - len2, s2, static_cast<size_t>(len2));
        d->nDataLength = static_cast<int32_t>(total);
        d->data()[total] = 0;
    }
    // The old buffer belongs to the caller, who releases it.
    m_pData = d;
}

// ---- comparison ------------------------------------------------------------------------------

bool COB_ByteString::Equal(const COB_ByteStringC& s) const
{
    const int len = GetLength();
    return len == s.GetLength() && (len == 0 || memcmp(m_pData->data(), s.GetPtr(), static_cast<size_t>(len)) == 0);
}

bool COB_ByteString::operator==(const COB_ByteString& other) const
{
    // By length and content: a buffer of length 0 is the same empty text as no buffer.
    return Equal(COB_ByteStringC(other));
}

bool COB_ByteString::EqualNoCase(const COB_ByteStringC& s) const
{
    const int len = GetLength();
    if (len != s.GetLength())
        return false;
    const char* a = c_str();
    const char* b = s.GetCStr();
    for (int i = 0; i < len; ++i) {
        if (a[i] != b[i] && FoldLower(a[i]) != FoldLower(b[i]))
            return false;
    }
    return true;
}

int COB_ByteString::Compare(const COB_ByteStringC& s) const
{
    const int len1 = GetLength();
    const int len2 = s.GetLength();
    const int common = len1 < len2 ? len1 : len2;
    if (common > 0) {
        const int c = memcmp(m_pData->data(), s.GetPtr(), static_cast<size_t>(common));
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    return len1 < len2 ? -1 : (len1 > len2 ? 1 : 0);
}

bool COB_ByteString::operator<(const COB_ByteString& other) const
{
    return Compare(COB_ByteStringC(other)) < 0;
}

// ---- buffer access ---------------------------------------------------------------------------

char* COB_ByteString::GetBuffer(int minLength)
{
    if (!m_pData) {
        if (minLength <= 0)
            return nullptr;
        m_pData = NewData(minLength);
        if (!m_pData)
            return nullptr;
        m_pData->nDataLength = 0;
        m_pData->data()[0] = 0;
        return m_pData->data();
    }
    COB_ByteStringData* old = m_pData;
    if (old->nRefs < 2 && old->nAllocLength >= minLength)
        return old->data();
    const int length = old->nDataLength;
    const int allocLength = length > minLength ? length : minLength;
    COB_ByteStringData* d = NewData(allocLength);
    if (d) {
        memcpy(d->data(), old->data(), static_cast<size_t>(length) + 1);
        d->nDataLength = length;
    }
    ReleaseData(old);
    m_pData = d;
    return d ? d->data() : nullptr;
}

void COB_ByteString::ReleaseBuffer(int newLength)
{
    if (!m_pData)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    if (newLength < 0)
        newLength = static_cast<int>(strlen(m_pData->data()));
    if (newLength == 0) {
        Release();
        return;
    }
    // A length beyond the block is outside the contract; never write past it.
    if (newLength > m_pData->nAllocLength)
        newLength = m_pData->nAllocLength;
    m_pData->nDataLength = newLength;
    m_pData->data()[newLength] = 0;
}

char* COB_ByteString::LockBuffer()
{
    if (!m_pData)
        return nullptr;
    char* p = GetBuffer(0);
    if (!p)
        return nullptr;
    m_pData->nRefs = -1;
    return p;
}

void COB_ByteString::Reserve(int length)
{
    GetBuffer(length);
    ReleaseBuffer(GetLength());
}

void COB_ByteString::AllocBeforeWrite(int length)
{
    if (m_pData) {
        if (m_pData->nRefs >= 2) {
            --m_pData->nRefs;
            m_pData = nullptr;
        } else if (m_pData->nAllocLength >= length) {
            return;
        } else {
            Release();
        }
    }
    if (length >= 1)
        m_pData = NewData(length);
}

void COB_ByteString::CopyBeforeWrite()
{
    COB_ByteStringData* old = m_pData;
    if (!old || old->nRefs < 2)
        return;
    --old->nRefs;
    m_pData = nullptr;
    if (old->nDataLength <= 0)
        return;
    m_pData = NewData(old->nDataLength);
    if (m_pData)
        memcpy(m_pData->data(), old->data(), static_cast<size_t>(old->nDataLength) + 1);
}

void COB_ByteString::AllocCopy(COB_ByteString& dest, int copyLen, int copyIndex, int extraLen) const
{
    const int64_t total = static_cast<int64_t>(copyLen) + extraLen;
    if (total <= 0 || total > INT_MAX)
        return;
    COB_ByteStringData* d = NewData(total);
    if (d && copyLen > 0)
        memcpy(d->data(), m_pData->data() + copyIndex, static_cast<size_t>(copyLen));
    dest.Release();
    dest.m_pData = d;
}

// ---- substrings ------------------------------------------------------------------------------

COB_ByteString COB_ByteString::Mid(int first, int count) const
{
    const int len = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > len)
        count = 0;
    else if (static_cast<int64_t>(first) + count > len)
        count = len - first;
    if (first == 0 && count == len)
        return *this;
    COB_ByteString result;
    if (count > 0)
        AllocCopy(result, count, first, 0);
    return result;
}

COB_ByteString COB_ByteString::Mid(int first) const
{
    const int len = GetLength();
    if (len == 0)
        return COB_ByteString();
    const int64_t count = static_cast<int64_t>(len) - first;
    return Mid(first, count > INT_MAX ? INT_MAX : static_cast<int>(count));
}

COB_ByteString COB_ByteString::Left(int count) const
{
    return Mid(0, count);
}

COB_ByteString COB_ByteString::Right(int count) const
{
    const int len = GetLength();
    if (count < 0)
        count = 0;
    if (count > len)
        count = len;
    return Mid(len - count, count);
}

// ---- search ----------------------------------------------------------------------------------

int COB_ByteString::Find(char ch, int start) const
{
    const int len = GetLength();
    if (len == 0 || start >= len)
        return -1;
    if (start < 0)
        start = 0;
    // Runs as on NUL-terminated text: a 0 byte ends the search, and 0 itself finds it.
    const char* p = strchr(m_pData->data() + start, ch);
    return p ? static_cast<int>(p - m_pData->data()) : -1;
}

int COB_ByteString::ReverseFind(char ch) const
{
    const int len = GetLength();
    if (len == 0)
        return -1;
    const void* p = memrchr(m_pData->data(), static_cast<unsigned char>(ch), static_cast<size_t>(len));
    return p ? static_cast<int>(static_cast<const char*>(p) - m_pData->data()) : -1;
}

int COB_ByteString::Find(const COB_ByteStringC& sub, int start) const
{
    const int len = GetLength();
    if (start < 0)
        start = 0;
    if (len == 0 || start > len || sub.GetLength() <= 0 || sub.GetLength() > len - start)
        return -1;
    const char* p = OB_strstr(m_pData->data() + start, len - start, sub.GetCStr(), sub.GetLength());
    return p ? static_cast<int>(p - m_pData->data()) : -1;
}

const char* OB_strstr(const char* s, int len, const char* sub, int subLen)
{
    if (subLen <= 0 || subLen > len)
        return nullptr;
    return static_cast<const char*>(memmem(s, static_cast<size_t>(len), sub, static_cast<size_t>(subLen)));
}

// ---- changes ---------------------------------------------------------------------------------

int COB_ByteString::Insert(int index, char ch)
{
    const int len = GetLength();
    if (index < 0)
        index = 0;
    if (index > len)
        index = len;
    COB_ByteStringData* old = m_pData;
    if (old && old->nRefs < 2 && old->nAllocLength > len) {
        char* p = old->data();
        memmove(p + index + 1, p + index, static_cast<size_t>(len - index) + 1);
        p[index] = ch;
        return ++old->nDataLength;
    }
    // Shared or full: a new block of exactly one more character.
    COB_ByteStringData* d = NewData(static_cast<int64_t>(len) + 1);
    if (d) {
        if (index > 0)
            memcpy(d->data(), old->data(), static_cast<size_t>(index));
        d->data()[index] = ch;
        if (len > index)
            memcpy(d->data() + index + 1, old->data() + index, static_cast<size_t>(len - index));
    }
    ReleaseData(old);
    m_pData = d;
    return d ? d->nDataLength : 0;
}

int COB_ByteString::Delete(int index, int count)
{
    const int len = GetLength();
    if (index < 0)
        index = 0;
    if (count < 1 || index >= len)
        return len;
    CopyBeforeWrite();
    if (!m_pData)
        return 0;
    char* p = m_pData->data();
    if (static_cast<int64_t>(index) + count >= len) {
        m_pData->nDataLength = index;
        p[index] = 0;
        return index;
    }
    memmove(p + index, p + index + count, static_cast<size_t>(len - index - count) + 1);
    m_pData->nDataLength = len - count;
    return len - count;
}

int COB_ByteString::Remove(char ch)
{
    const int len = GetLength();
    if (len == 0)
        return 0;
    const void* hit = memchr(m_pData->data(), static_cast<unsigned char>(ch), static_cast<size_t>(len));
    if (!hit)
        return 0;
    const int firstHit = static_cast<int>(static_cast<const char*>(hit) - m_pData->data());
    CopyBeforeWrite();
    if (!m_pData)
        return 0;
    char* p = m_pData->data();
    int out = firstHit;
    for (int in = firstHit; in < len; ++in) {
        if (p[in] != ch)
            p[out++] = p[in];
    }
    p[out] = 0;
    m_pData->nDataLength = out;
    return len - out;
}

int COB_ByteString::Replace(const COB_ByteStringC& oldText, const COB_ByteStringC& newText)
{
    const int len = GetLength();
    const int oldLen = oldText.GetLength();
    if (len == 0 || oldLen <= 0 || !oldText.GetPtr())
        return 0;
    const int newLen = newText.GetPtr() ? newText.GetLength() : 0;
    const char* text = m_pData->data();

    COB_StringMatchList matches;
    for (int pos = 0; pos <= len - oldLen;) {
        const char* hit = OB_strstr(text + pos, len - pos, oldText.GetCStr(), oldLen);
        if (!hit)
            break;
        const int at = static_cast<int>(hit - text);
        if (!matches.Add(at))
            return 0;
        pos = at + oldLen;
    }
    const int count = matches.GetSize();
    if (count == 0)
        return 0;

    // Computed wide: a result beyond the 32-bit length limit is refused and the text kept.
    const int64_t resultLen = static_cast<int64_t>(len) + static_cast<int64_t>(count) * (newLen - oldLen);
    if (resultLen < 0 || resultLen > INT_MAX)
        return 0;
    if (resultLen == 0) {
        Release();
        return count;
    }
    COB_ByteStringData* d = NewData(resultLen);
    if (!d)
        return 0;
    char* out = d->data();
    int from = 0;
    for (int i = 0; i < count; ++i) {
        const int at = matches[i];
        memcpy(out, text + from, static_cast<size_t>(at - from));
        out += at - from;
        if (newLen > 0) {
            memcpy(out, newText.GetPtr(), static_cast<size_t>(newLen));
            out += newLen;
        }
        from = at + oldLen;
    }
    memcpy(out, text + from, static_cast<size_t>(len - from));
    ReleaseData(m_pData);
    m_pData = d;
    return count;
}

void COB_ByteString::SetAt(int index, char ch)
{
    if (index < 0 || index >= GetLength())
        return;
    CopyBeforeWrite();
    if (m_pData)
        m_pData->data()[index] = ch;
}

void COB_ByteString::MakeLower()
{
    if (GetLength() == 0)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    for (char* p = m_pData->data(); *p; ++p) {
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p + ('a' - 'A'));
    }
}

void COB_ByteString::MakeUpper()
{
    if (GetLength() == 0)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    for (char* p = m_pData->data(); *p; ++p) {
        if (*p >= 'a' && *p <= 'z')
            *p = static_cast<char>(*p - ('a' - 'A'));
    }
}

void COB_ByteString::TrimRight(const COB_ByteStringC& set)
{
    const int len = GetLength();
    if (len == 0 || set.GetLength() <= 0)
        return;
    int keep = len;
    const char* p = m_pData->data();
    while (keep > 0 && InSet(set, p[keep - 1]))
        --keep;
    if (keep == len)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    m_pData->data()[keep] = 0;
    m_pData->nDataLength = keep;
}

void COB_ByteString::TrimLeft(const COB_ByteStringC& set)
{
    const int len = GetLength();
    if (len == 0 || set.GetLength() <= 0)
        return;
    int skip = 0;
    const char* p = m_pData->data();
    while (skip < len && InSet(set, p[skip]))
        ++skip;
    if (skip == 0)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    char* q = m_pData->data();
    memmove(q, q + skip, static_cast<size_t>(len - skip) + 1);
    m_pData->nDataLength = len - skip;
}

void COB_ByteString::TrimRight(char ch)
{
    TrimRight(COB_ByteStringC(&ch, 1));
}

void COB_ByteString::TrimLeft(char ch)
{
    TrimLeft(COB_ByteStringC(&ch, 1));
}

void COB_ByteString::TrimRight()
{
    TrimRight(kWhitespace);
}

void COB_ByteString::TrimLeft()
{
    TrimLeft(kWhitespace);
}

// ---- other members ---------------------------------------------------------------------------

uint32_t COB_ByteString::GetID(int start) const
{
    return COB_ByteStringC(*this).GetID(start);
}

COB_ByteString COB_ByteString::LoadFromFile(const COB_ByteStringC& path)
{
    const COB_ByteString name(path);
    FILE* file = fopen(name.c_str(), "rb");
    if (!file)
        return COB_ByteString();
    // A size that cannot be learnt, or that no string can hold, fails the load.
    off_t size = -1;
    if (fseeko(file, 0, SEEK_END) == 0)
        size = ftello(file);
    if (size <= 0 || size > INT_MAX || fseeko(file, 0, SEEK_SET) != 0) {
        fclose(file);
        return COB_ByteString();
    }
    COB_ByteString result;
    char* buffer = result.GetBuffer(static_cast<int>(size));
    size_t got = 0;
    if (buffer)
        got = fread(buffer, 1, static_cast<size_t>(size), file);
    fclose(file);
    if (got == 0)
        return COB_ByteString();
    // The bytes actually read, which may be fewer than the size found.
    result.ReleaseBuffer(static_cast<int>(got));
    return result;
}

COB_ByteString COB_ByteString::FromUnicode(const wchar_t* s, int len)
{
    if (len < 0)
        len = s ? static_cast<int>(wcslen(s)) : 0;
    COB_ByteString result;
    result.ConvertFrom(COB_WideString(s, len), nullptr);
    return result;
}

COB_ByteString COB_ByteString::FromUnicode(const COB_WideString& s)
{
    COB_ByteString result;
    result.ConvertFrom(s, nullptr);
    return result;
}

void COB_ByteString::ConvertFrom(const COB_WideString& s, COB_CharMap* map)
{
    if (!map)
        map = COB_CharMap::GetDefaultMapper(0);
    if (!map || !map->m_GetByteString) {
        Release();
        return;
    }
    *this = map->m_GetByteString(map, s);
}

COB_WideString COB_ByteString::UTF8Decode() const
{
    const int len = GetLength();
    if (len == 0)
        return COB_WideString();
    // Every byte, 0 bytes included; at most one character per byte.
    COB_UTF8Decoder decoder;
    decoder.GetText().EstimateSize(len <= INT_MAX / 4 ? len * 4 : INT_MAX);
    const unsigned char* p = GetPtr();
    for (int i = 0; i < len; ++i)
        decoder.Input(p[i]);
    return COB_WideString(decoder.GetResult());
}
