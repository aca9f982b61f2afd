#include "COB_WideString.h"

#include <climits>
#include <cstring>

#include "COB_ByteString.h"
#include "COB_CharMap.h"
#include "COB_MemoryMgr.h"
#include "COB_StringMatchList.h"
#include "COB_UTF8Decoder.h"
#include "COB_UTF8Encoder.h"
#include "OB_NumberText.h"

namespace {

// The largest character count whose block (header, characters, terminator) the default manager
// hands out; every length is computed in 64 bits and checked against it before any request.
const int64_t kMaxWideLength =
    (0x7fffffffLL - static_cast<int64_t>(sizeof(COB_WideStringData))) / static_cast<int64_t>(sizeof(wchar_t)) - 1;

COB_WideStringData* NewData(int64_t allocLength)
{
    if (allocLength <= 0 || allocLength > kMaxWideLength)
        return nullptr;
    const int64_t bytes =
        static_cast<int64_t>(sizeof(COB_WideStringData)) + (allocLength + 1) * static_cast<int64_t>(sizeof(wchar_t));
    auto* d = static_cast<COB_WideStringData*>(OBMEM_DefaultAlloc2(static_cast<size_t>(bytes), 1, 0));
    if (!d)
        return nullptr;
    d->nRefs = 1;
    d->nAllocLength = static_cast<int32_t>(allocLength);
    d->nDataLength = static_cast<int32_t>(allocLength);
    d->data()[allocLength] = 0;
    return d;
}

void ReleaseData(COB_WideStringData* d)
{
    if (!d)
        return;
    if (d->nRefs >= 2)
        --d->nRefs;
    else
        OBMEM_DefaultFree(d, 0);
}

COB_WideStringData* CopyData(const wchar_t* s, int len)
{
    COB_WideStringData* d = NewData(len);
    if (d)
        wmemcpy(d->data(), s, static_cast<size_t>(len));
    return d;
}

const wchar_t kWhitespace[] = L"\t\n\v\f\r ";

wchar_t FoldLower(wchar_t ch)
{
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch;
}

// First occurrence of sub (subLen > 0) starting in [pos, end) and ending by end.
int FindBounded(const wchar_t* text, int pos, int end, const wchar_t* sub, int subLen)
{
    const wchar_t first = sub[0];
    const wchar_t* p = text + pos;
    const wchar_t* stop = text + end;
    while (p < stop && (p = wmemchr(p, first, static_cast<size_t>(stop - p))) != nullptr) {
        if (stop - p < subLen)
            return -1;
        if (wmemcmp(p, sub, static_cast<size_t>(subLen)) == 0)
            return static_cast<int>(p - text);
        ++p;
    }
    return -1;
}

// First occurrence of sub (subLen > 0, holding no 0 character) at or after start, as a search on
// NUL-terminated text finds it: the text ends at its first 0 character. The text is scanned in
// cache-sized pieces, each checked for a 0 character before candidates are looked for in it, so
// that a long text is read once. A match may run on into the next piece: holding no 0 character
// itself, it cannot cross the text's end.
int FindSub(const wchar_t* text, int start, int len, const wchar_t* sub, int subLen)
{
    const int kPiece = 4096;
    const wchar_t first = sub[0];
    int pos = start;
    while (pos < len) {
        const int pieceEnd = len - pos > kPiece ? pos + kPiece : len;
        const wchar_t* nul = wmemchr(text + pos, 0, static_cast<size_t>(pieceEnd - pos));
        const wchar_t* stop = nul ? nul : text + pieceEnd;
        const wchar_t* p = text + pos;
        while (p < stop && (p = wmemchr(p, first, static_cast<size_t>(stop - p))) != nullptr) {
            const int at = static_cast<int>(p - text);
            if (static_cast<int64_t>(at) + subLen > len)
                return -1;
            if (wmemcmp(p, sub, static_cast<size_t>(subLen)) == 0)
                return at;
            ++p;
        }
        if (nul)
            return -1;
        pos = pieceEnd;
    }
    return -1;
}

bool IsHighSurrogate(unsigned int u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogate(unsigned int u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

// ---- construction and assignment -------------------------------------------------------------

void COB_WideString::InitStr(const wchar_t* s, int len)
{
    if (len < 0)
        len = s ? static_cast<int>(wcslen(s)) : 0;
    // The copy is made before the old block goes: s may lie inside it.
    COB_WideStringData* d = len > 0 ? CopyData(s, len) : nullptr;
    Release();
    m_pData = d;
}

COB_WideString::COB_WideString(wchar_t ch) : m_pData(CopyData(&ch, 1)) {}

COB_WideString::COB_WideString(const COB_WideString& other) : m_pData(nullptr)
{
    COB_WideStringData* d = other.m_pData;
    if (!d || d->nDataLength <= 0)
        return;
    if (d->nRefs < 0) {
        m_pData = CopyData(d->data(), d->nDataLength);
        return;
    }
    ++d->nRefs;
    m_pData = d;
}

COB_WideString::COB_WideString(const COB_WideStringC& s) : m_pData(nullptr)
{
    if (s.GetLength() > 0)
        m_pData = CopyData(s.GetPtr(), s.GetLength());
}

COB_WideString::COB_WideString(const COB_WideStringC& a, const COB_WideStringC& b) : m_pData(nullptr)
{
    const int64_t total = static_cast<int64_t>(a.GetLength()) + b.GetLength();
    if (total <= 0)
        return;
    COB_WideStringData* d = NewData(total);
    if (!d)
        return;
    if (a.GetLength() > 0)
        wmemcpy(d->data(), a.GetPtr(), static_cast<size_t>(a.GetLength()));
    if (b.GetLength() > 0)
        wmemcpy(d->data() + a.GetLength(), b.GetPtr(), static_cast<size_t>(b.GetLength()));
    m_pData = d;
}

COB_WideString::~COB_WideString()
{
    ReleaseData(m_pData);
}

void COB_WideString::Release()
{
    ReleaseData(m_pData);
    m_pData = nullptr;
}

void COB_WideString::Empty()
{
    Release();
}

COB_WideString& COB_WideString::operator=(const COB_WideString& other)
{
    if (m_pData == other.m_pData)
        return *this;
    COB_WideStringData* src = other.m_pData;
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

COB_WideString& COB_WideString::operator=(const COB_WideStringC& s)
{
    if (s.GetLength() <= 0)
        Release();
    else
        AssignCopy(s.GetLength(), s.GetPtr());
    return *this;
}

COB_WideString& COB_WideString::operator=(const wchar_t* s)
{
    if (!s || !*s)
        Release();
    else
        AssignCopy(static_cast<int>(wcslen(s)), s);
    return *this;
}

void COB_WideString::AssignCopy(int len, const wchar_t* s)
{
    if (m_pData) {
        if (m_pData->nRefs >= 2) {
            --m_pData->nRefs;
            m_pData = nullptr;
        } else if (len >= 0 && m_pData->nAllocLength >= len) {
            wmemmove(m_pData->data(), s, static_cast<size_t>(len));
            m_pData->nDataLength = len;
            m_pData->data()[len] = 0;
            return;
        } else {
            Release();
        }
    }
    if (len >= 1)
        m_pData = CopyData(s, len);
}

// ---- concatenation ---------------------------------------------------------------------------

COB_WideString& COB_WideString::operator+=(const wchar_t* s)
{
    if (s)
        ConcatInPlace(static_cast<int>(wcslen(s)), s);
    return *this;
}

COB_WideString& COB_WideString::operator+=(const COB_WideString& s)
{
    if (s.GetLength() > 0)
        ConcatInPlace(s.GetLength(), s.c_str());
    return *this;
}

COB_WideString& COB_WideString::operator+=(const COB_WideStringC& s)
{
    if (s.GetLength() > 0)
        ConcatInPlace(s.GetLength(), s.GetPtr());
    return *this;
}

void COB_WideString::ConcatInPlace(int len, const wchar_t* s)
{
    if (len <= 0 || !s)
        return;
    if (!m_pData) {
        m_pData = CopyData(s, len);
        return;
    }
    COB_WideStringData* d = m_pData;
    if (d->nRefs < 2 && static_cast<int64_t>(d->nDataLength) + len <= d->nAllocLength) {
        wmemcpy(d->data() + d->nDataLength, s, static_cast<size_t>(len));
        d->nDataLength += len;
        d->data()[d->nDataLength] = 0;
        return;
    }
    ConcatCopy(d->nDataLength, d->data(), len, s);
    ReleaseData(d);
}

void COB_WideString::ConcatCopy(int len1, const wchar_t* s1, int len2, const wchar_t* s2)
{
    if (len2 <= 0)
        return;
    const int64_t total = static_cast<int64_t>(len1 < 0 ? 0 : len1) + len2;
    // Half the capacity again, at least once, until the text fits.
    int64_t allocLength = m_pData && m_pData->nAllocLength > 2 ? m_pData->nAllocLength : 2;
    do {
        allocLength = allocLength * 3 / 2;
    } while (allocLength < total && allocLength <= kMaxWideLength);
    COB_WideStringData* d = NewData(allocLength);
    if (d) {
        if (len1 > 0)
            wmemcpy(d->data(), s1, static_cast<size_t>(len1));
        wmemcpy(d->data() + total - len2, s2, static_cast<size_t>(len2));
        d->nDataLength = static_cast<int32_t>(total);
        d->data()[total] = 0;
    }
    // The old buffer belongs to the caller, who releases it.
    m_pData = d;
}

// ---- buffer access ---------------------------------------------------------------------------

wchar_t* COB_WideString::GetBuffer(int minLength)
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
    COB_WideStringData* old = m_pData;
    if (old->nRefs < 2 && old->nAllocLength >= minLength)
        return old->data();
    const int length = old->nDataLength;
    COB_WideStringData* d = NewData(length > minLength ? length : minLength);
    if (d) {
        wmemcpy(d->data(), old->data(), static_cast<size_t>(length) + 1);
        d->nDataLength = length;
    }
    ReleaseData(old);
    m_pData = d;
    return d ? d->data() : nullptr;
}

void COB_WideString::ReleaseBuffer(int newLength)
{
    if (!m_pData)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    if (newLength < 0)
        newLength = static_cast<int>(wcslen(m_pData->data()));
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

wchar_t* COB_WideString::LockBuffer()
{
    if (!m_pData)
        return nullptr;
    wchar_t* p = GetBuffer(0);
    if (!p)
        return nullptr;
    m_pData->nRefs = -1;
    return p;
}

void COB_WideString::Reserve(int length)
{
    COB_WideStringData* old = m_pData;
    if (!old) {
        if (length > 0) {
            m_pData = NewData(length);
            if (m_pData) {
                m_pData->nDataLength = 0;
                m_pData->data()[0] = 0;
            }
        }
        return;
    }
    if (old->nRefs < 2 && old->nAllocLength >= length)
        return;
    const int current = old->nDataLength;
    COB_WideStringData* d = NewData(length > current ? length : current);
    if (d) {
        wmemcpy(d->data(), old->data(), static_cast<size_t>(current) + 1);
        d->nDataLength = current;
    }
    ReleaseData(old);
    m_pData = d;
}

void COB_WideString::AllocBeforeWrite(int length)
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

void COB_WideString::CopyBeforeWrite()
{
    COB_WideStringData* old = m_pData;
    if (!old || old->nRefs < 2)
        return;
    --old->nRefs;
    m_pData = nullptr;
    if (old->nDataLength <= 0)
        return;
    m_pData = NewData(old->nDataLength);
    if (m_pData)
        wmemcpy(m_pData->data(), old->data(), static_cast<size_t>(old->nDataLength) + 1);
}

void COB_WideString::AllocCopy(COB_WideString& dest, int copyLen, int copyIndex, int extraLen) const
{
    const int64_t total = static_cast<int64_t>(copyLen) + extraLen;
    if (total <= 0 || total > INT_MAX)
        return;
    COB_WideStringData* d = NewData(total);
    if (d && copyLen > 0)
        wmemcpy(d->data(), m_pData->data() + copyIndex, static_cast<size_t>(copyLen));
    dest.Release();
    dest.m_pData = d;
}

// ---- substrings ------------------------------------------------------------------------------

COB_WideString COB_WideString::Mid(int first, int count) const
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
    COB_WideString result;
    if (count > 0)
        AllocCopy(result, count, first, 0);
    return result;
}

COB_WideString COB_WideString::Mid(int first) const
{
    const int len = GetLength();
    if (len == 0)
        return COB_WideString();
    const int64_t count = static_cast<int64_t>(len) - first;
    return Mid(first, count > INT_MAX ? INT_MAX : static_cast<int>(count));
}

COB_WideString COB_WideString::Left(int count) const
{
    return Mid(0, count);
}

COB_WideString COB_WideString::Right(int count) const
{
    const int len = GetLength();
    if (count < 0)
        count = 0;
    if (count > len)
        count = len;
    return Mid(len - count, count);
}

// ---- changes ---------------------------------------------------------------------------------

int COB_WideString::Insert(int index, wchar_t ch)
{
    const int len = GetLength();
    if (index < 0)
        index = 0;
    if (index > len)
        index = len;
    COB_WideStringData* old = m_pData;
    if (old && old->nRefs < 2 && old->nAllocLength > len) {
        wchar_t* p = old->data();
        wmemmove(p + index + 1, p + index, static_cast<size_t>(len - index) + 1);
        p[index] = ch;
        return ++old->nDataLength;
    }
    COB_WideStringData* d = NewData(static_cast<int64_t>(len) + 1);
    if (d) {
        if (index > 0)
            wmemcpy(d->data(), old->data(), static_cast<size_t>(index));
        d->data()[index] = ch;
        if (len > index)
            wmemcpy(d->data() + index + 1, old->data() + index, static_cast<size_t>(len - index));
    }
    ReleaseData(old);
    m_pData = d;
    return d ? d->nDataLength : 0;
}

int COB_WideString::Delete(int index, int count)
{
    const int len = GetLength();
    if (index < 0)
        index = 0;
    if (count < 1 || index >= len)
        return len;
    CopyBeforeWrite();
    if (!m_pData)
        return 0;
    wchar_t* p = m_pData->data();
    if (static_cast<int64_t>(index) + count >= len) {
        m_pData->nDataLength = index;
        p[index] = 0;
        return index;
    }
    wmemmove(p + index, p + index + count, static_cast<size_t>(len - index - count) + 1);
    m_pData->nDataLength = len - count;
    return len - count;
}

int COB_WideString::Remove(wchar_t ch)
{
    const int len = GetLength();
    if (len == 0)
        return 0;
    const wchar_t* hit = wmemchr(m_pData->data(), ch, static_cast<size_t>(len));
    if (!hit)
        return 0;
    const int firstHit = static_cast<int>(hit - m_pData->data());
    CopyBeforeWrite();
    if (!m_pData)
        return 0;
    wchar_t* p = m_pData->data();
    int out = firstHit;
    for (int in = firstHit; in < len; ++in) {
        if (p[in] != ch)
            p[out++] = p[in];
    }
    p[out] = 0;
    m_pData->nDataLength = out;
    return len - out;
}

int COB_WideString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    const int len = GetLength();
    if (len == 0 || !oldText || !*oldText)
        return 0;
    const int oldLen = static_cast<int>(wcslen(oldText));
    const int newLen = newText ? static_cast<int>(wcslen(newText)) : 0;

    // Matches as NUL-terminated searches find them: left to right, never overlapping, and
    // inserted text is never searched again (it lies behind each resumed search).
    COB_StringMatchList matches;
    const wchar_t* text = m_pData->data();
    const wchar_t* nul = wmemchr(text, 0, static_cast<size_t>(len));
    const int searchEnd = nul ? static_cast<int>(nul - text) : len;
    for (int pos = 0; pos < searchEnd;) {
        const int at = FindBounded(text, pos, searchEnd, oldText, oldLen);
        if (at < 0)
            break;
        if (!matches.Add(at))
            return 0;
        pos = at + oldLen;
    }
    const int count = matches.GetSize();
    if (count == 0)
        return 0;

    // Computed wide: a result beyond the 32-bit limits is refused, the string left empty as
    // after a failed allocation.
    const int64_t resultLen = static_cast<int64_t>(len) + static_cast<int64_t>(count) * (newLen - oldLen);
    if (resultLen > kMaxWideLength || resultLen < 0) {
        Release();
        return 0;
    }

    COB_WideStringData* old = m_pData;
    const bool shared = old->nRefs >= 2;
    // Replacement text taken from this very block would be overwritten while it is still being
    // copied in place: such a replacement is built in a new block as well.
    const uintptr_t blockStart = reinterpret_cast<uintptr_t>(text);
    const uintptr_t newAt = reinterpret_cast<uintptr_t>(newText);
    const bool newInside = !shared && newLen > 0 && newAt >= blockStart &&
                           newAt <= blockStart + static_cast<uintptr_t>(old->nAllocLength) * sizeof(wchar_t);
    if (newInside || resultLen > (shared ? len : old->nAllocLength)) {
        // No room: the text is rebuilt into a block of exactly the new length.
        COB_WideStringData* d = NewData(resultLen);
        if (d) {
            wchar_t* out = d->data();
            int from = 0;
            for (int i = 0; i < count; ++i) {
                const int at = matches[i];
                wmemcpy(out, text + from, static_cast<size_t>(at - from));
                out += at - from;
                wmemcpy(out, newText, static_cast<size_t>(newLen));
                out += newLen;
                from = at + oldLen;
            }
            wmemcpy(out, text + from, static_cast<size_t>(len - from));
        }
        ReleaseData(old);
        m_pData = d;
        return d ? count : 0;
    }

    CopyBeforeWrite();
    if (!m_pData)
        return 0;
    wchar_t* p = m_pData->data();
    if (newLen <= oldLen) {
        // Shrinking: the text before the first match stays; each later piece moves down.
        int out = matches[0];
        for (int i = 0; i < count; ++i) {
            const int at = matches[i];
            if (i > 0) {
                const int segStart = matches[i - 1] + oldLen;
                wmemmove(p + out, p + segStart, static_cast<size_t>(at - segStart));
                out += at - segStart;
            }
            if (newLen > 0)
                wmemcpy(p + out, newText, static_cast<size_t>(newLen));
            out += newLen;
        }
        const int tail = matches[count - 1] + oldLen;
        wmemmove(p + out, p + tail, static_cast<size_t>(len - tail));
    } else {
        // Growing in place: fill from the end so no text is overwritten before it moves.
        int out = static_cast<int>(resultLen);
        int end = len;
        for (int i = count - 1; i >= 0; --i) {
            const int segStart = matches[i] + oldLen;
            out -= end - segStart;
            wmemmove(p + out, p + segStart, static_cast<size_t>(end - segStart));
            out -= newLen;
            wmemcpy(p + out, newText, static_cast<size_t>(newLen));
            end = matches[i];
        }
    }
    m_pData->nDataLength = static_cast<int32_t>(resultLen);
    p[resultLen] = 0;
    return count;
}

void COB_WideString::SetAt(int index, wchar_t ch)
{
    if (index < 0 || index >= GetLength())
        return;
    CopyBeforeWrite();
    if (m_pData)
        m_pData->data()[index] = ch;
}

void COB_WideString::MakeLower()
{
    if (GetLength() == 0)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    for (wchar_t* p = m_pData->data(); *p; ++p) {
        if (*p >= L'A' && *p <= L'Z')
            *p = static_cast<wchar_t>(*p + (L'a' - L'A'));
    }
}

void COB_WideString::MakeUpper()
{
    if (GetLength() == 0)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    for (wchar_t* p = m_pData->data(); *p; ++p) {
        if (*p >= L'a' && *p <= L'z')
            *p = static_cast<wchar_t>(*p - (L'a' - L'A'));
    }
}

void COB_WideString::TrimRight(const wchar_t* set)
{
    const int len = GetLength();
    if (len == 0 || !set || !*set)
        return;
    const wchar_t* p = m_pData->data();
    int keep = len;
    // wcschr also finds the set's terminator, so a 0 character always counts as a member.
    while (keep > 0 && wcschr(set, p[keep - 1]))
        --keep;
    if (keep == len)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    m_pData->data()[keep] = 0;
    m_pData->nDataLength = keep;
}

void COB_WideString::TrimLeft(const wchar_t* set)
{
    const int len = GetLength();
    if (len == 0 || !set || !*set)
        return;
    const wchar_t* p = m_pData->data();
    int skip = 0;
    while (skip < len && p[skip] != 0 && wcschr(set, p[skip]))
        ++skip;
    if (skip == 0)
        return;
    CopyBeforeWrite();
    if (!m_pData)
        return;
    wchar_t* q = m_pData->data();
    wmemmove(q, q + skip, static_cast<size_t>(len - skip) + 1);
    m_pData->nDataLength = len - skip;
}

void COB_WideString::TrimRight(wchar_t ch)
{
    const wchar_t set[2] = {ch, 0};
    TrimRight(set);
}

void COB_WideString::TrimLeft(wchar_t ch)
{
    const wchar_t set[2] = {ch, 0};
    TrimLeft(set);
}

void COB_WideString::TrimRight()
{
    TrimRight(kWhitespace);
}

void COB_WideString::TrimLeft()
{
    TrimLeft(kWhitespace);
}

// ---- search and comparison -------------------------------------------------------------------

int COB_WideString::Find(const wchar_t* sub, int start) const
{
    const int len = GetLength();
    if (start < 0)
        start = 0;
    if (len == 0 || start > len || !sub)
        return -1;
    if (!*sub)
        return start;
    return FindSub(m_pData->data(), start, len, sub, static_cast<int>(wcslen(sub)));
}

int COB_WideString::Find(wchar_t ch, int start) const
{
    const int len = GetLength();
    if (start < 0)
        start = 0;
    if (len == 0 || start >= len)
        return -1;
    const wchar_t* p = wcschr(m_pData->data() + start, ch);
    return p ? static_cast<int>(p - m_pData->data()) : -1;
}

int COB_WideString::Compare(const COB_WideString& other) const
{
    // By length and content: a buffer of length 0 is the same empty text as no buffer.
    const int len1 = GetLength();
    const int len2 = other.GetLength();
    const int common = len1 < len2 ? len1 : len2;
    const wchar_t* a = c_str();
    const wchar_t* b = other.c_str();
    for (int i = 0; i < common; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return len1 < len2 ? -1 : (len1 > len2 ? 1 : 0);
}

int COB_WideString::Compare(const wchar_t* s) const
{
    if (GetLength() == 0)
        return (!s || !*s) ? 0 : -1;
    const int c = wcscmp(m_pData->data(), s ? s : L"");
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int COB_WideString::CompareNoCase(const wchar_t* s) const
{
    if (GetLength() == 0)
        return (!s || !*s) ? 0 : -1;
    if (!s)
        s = L"";
    const wchar_t* p = m_pData->data();
    for (;; ++p, ++s) {
        const wchar_t a = FoldLower(*p);
        const wchar_t b = FoldLower(*s);
        if (a != b)
            return static_cast<int>(a) - static_cast<int>(b);
        if (a == 0)
            return 0;
    }
}

bool COB_WideString::Equal(const COB_WideStringC& s) const
{
    const int len = GetLength();
    return len == s.GetLength() && (len == 0 || wmemcmp(m_pData->data(), s.GetPtr(), static_cast<size_t>(len)) == 0);
}

bool operator==(const COB_WideString& a, const COB_WideString& b)
{
    return a.Equal(COB_WideStringC(b));
}

bool operator==(const COB_WideString& a, const COB_WideStringC& b)
{
    return a.Equal(b);
}

bool operator==(const COB_WideStringC& a, const COB_WideString& b)
{
    return b.Equal(a);
}

bool operator==(const COB_WideString& a, const wchar_t* b)
{
    return a.Equal(COB_WideStringC(b));
}

bool operator==(const wchar_t* a, const COB_WideString& b)
{
    return b.Equal(COB_WideStringC(a));
}

bool operator<(const COB_WideString& a, const COB_WideString& b)
{
    return a.Compare(b) < 0;
}

// ---- conversions -----------------------------------------------------------------------------

COB_ByteString COB_WideString::UTF16LE_Encode(bool addTerminator) const
{
    const int len = GetLength();
    const wchar_t* p = c_str();
    int64_t units = len;
    for (int i = 0; i < len; ++i) {
        if (p[i] >= 0x10000 && p[i] <= 0x10FFFF)
            ++units;
    }
    const int64_t bytes = units * 2 + (addTerminator ? 2 : 0);
    COB_ByteString result;
    if (bytes <= 0 || bytes > INT_MAX)
        return result;
    char* out = result.GetBuffer(static_cast<int>(bytes));
    if (!out)
        return result;
    auto put = [&out](unsigned int unit) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>((unit >> 8) & 0xFF);
    };
    for (int i = 0; i < len; ++i) {
        const unsigned int c = static_cast<unsigned int>(p[i]);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            // Inside the basic plane the unit is the character; beyond Unicode only the low
            // 16 bits are kept.
            put(c & 0xFFFF);
        }
    }
    if (addTerminator)
        put(0);
    result.ReleaseBuffer(static_cast<int>(bytes));
    return result;
}

int COB_WideString::WStringLength(const unsigned short* s)
{
    if (!s)
        return 0;
    int n = 0;
    while (s[n])
        ++n;
    return n;
}

void COB_WideString::FromUTF16(const unsigned short* s, int len, bool swap)
{
    Release();
    if (!s || len == 0)
        return;
    if (len < 0)
        len = WStringLength(s);
    if (len <= 0)
        return;
    wchar_t* out = GetBuffer(len);
    if (!out)
        return;
    auto unit = [s, swap](int i) -> unsigned int {
        const unsigned int u = s[i];
        return swap ? (((u & 0xFF) << 8) | (u >> 8)) : u;
    };
    int n = 0;
    for (int i = 0; i < len; ++i) {
        const unsigned int u = unit(i);
        if (IsHighSurrogate(u) && i + 1 < len && IsLowSurrogate(unit(i + 1))) {
            out[n++] = static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            out[n++] = static_cast<wchar_t>(u);
        }
    }
    ReleaseBuffer(n);
}

COB_WideString COB_WideString::FromUTF16LE(const unsigned short* s, int len)
{
    COB_WideString result;
    result.FromUTF16(s, len, false);
    return result;
}

COB_WideString COB_WideString::FromUTF16BE(const unsigned short* s, int len)
{
    COB_WideString result;
    result.FromUTF16(s, len, true);
    return result;
}

COB_WideString COB_WideString::FromLocal(const char* s, int len)
{
    COB_WideString result;
    result.ConvertFrom(COB_ByteString(s, len), nullptr);
    return result;
}

void COB_WideString::ConvertFrom(const COB_ByteString& s, COB_CharMap* map)
{
    if (!map)
        map = COB_CharMap::GetDefaultMapper(0);
    if (!map || !map->m_GetWideString) {
        Release();
        return;
    }
    *this = map->m_GetWideString(map, s);
}

int COB_WideString::GetInteger() const
{
    return GetLength() == 0 ? 0 : OB_wtoi(m_pData->data());
}

float COB_WideString::GetFloat() const
{
    return GetLength() == 0 ? 0.0f : OB_wtof(m_pData->data(), m_pData->nDataLength);
}

COB_ByteString COB_WideString::UTF8Encode() const
{
    return OB_UTF8Encode(c_str(), GetLength());
}

COB_WideString COB_WideString::FromUTF8(const char* s, int len)
{
    if (!s || len == 0)
        return COB_WideString();
    if (len < 0)
        len = static_cast<int>(strlen(s));
    COB_UTF8Decoder decoder;
    decoder.GetText().EstimateSize(len <= INT_MAX / 4 ? len * 4 : INT_MAX);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    for (int i = 0; i < len; ++i)
        decoder.Input(p[i]);
    return COB_WideString(decoder.GetResult());
}
