#include "OB_UnicodeText.h"

#include <cstring>

namespace {

const uint32_t kReplacement = 0xFFFD;

// Smallest value each sequence length may carry; anything below is an overlong form.
const uint32_t kMinimum[7] = {0, 0, 0x80, 0x800, 0x10000, 0x200000, 0x4000000};

bool IsCharacter(uint32_t value)
{
    return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

} // namespace

int OB_UTF8Decode(const char* src, int* srcLen, wchar_t* dst, int* dstLen)
{
    if (!srcLen || !dstLen)
        return -1;
    const int length = *srcLen;
    const int room = dst ? *dstLen : 0;
    *srcLen = 0;
    *dstLen = 0;
    if (length < 1 || !src)
        return 1;
    int consumed = 0;
    int produced = 0;
    int pending = 0;
    int sequence = 0;
    uint32_t value = 0;
    for (int i = 0; i < length; ++i) {
        if (room >= 1 && produced >= room)
            break;
        const uint8_t byte = static_cast<uint8_t>(src[i]);
        if (byte < 0x80) {
            pending = 0;
            value = byte;
            sequence = 1;
        } else if (byte < 0xC0) {
            if (pending == 0)
                break;
            value = (value << 6) | (byte & 0x3F);
            if (--pending != 0)
                continue;
            // Overlong forms would let a character arrive in disguise (an overlong '/' in a path).
            if (value < kMinimum[sequence] || !IsCharacter(value))
                value = kReplacement;
        } else if (byte >= 0xFE) {
            break;
        } else {
            // A lead byte drops a sequence left open.
            sequence = byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : byte < 0xF8 ? 4 : byte < 0xFC ? 5 : 6;
            pending = sequence - 1;
            value = byte & (0x7Fu >> sequence);
            continue;
        }
        if (room >= 1)
            dst[produced] = static_cast<wchar_t>(value);
        ++produced;
        consumed = i + 1;
    }
    *srcLen = consumed;
    *dstLen = produced;
    return 1;
}

int OB_UTF8Encode(const wchar_t* src, int* srcLen, char* dst, int* dstLen)
{
    if (!srcLen || !dstLen)
        return -1;
    const int length = *srcLen;
    const int room = dst ? *dstLen : 0;
    *srcLen = 0;
    *dstLen = 0;
    if (length < 1 || !src)
        return 1;
    int consumed = 0;
    int produced = 0;
    for (; consumed < length; ++consumed) {
        uint32_t value = static_cast<uint32_t>(src[consumed]);
        if (!IsCharacter(value))
            value = kReplacement;
        uint8_t bytes[4];
        int n;
        if (value < 0x80) {
            bytes[0] = static_cast<uint8_t>(value);
            n = 1;
        } else if (value < 0x800) {
            bytes[0] = static_cast<uint8_t>(0xC0 | (value >> 6));
            bytes[1] = static_cast<uint8_t>(0x80 | (value & 0x3F));
            n = 2;
        } else if (value < 0x10000) {
            bytes[0] = static_cast<uint8_t>(0xE0 | (value >> 12));
            bytes[1] = static_cast<uint8_t>(0x80 | ((value >> 6) & 0x3F));
            bytes[2] = static_cast<uint8_t>(0x80 | (value & 0x3F));
            n = 3;
        } else {
            bytes[0] = static_cast<uint8_t>(0xF0 | (value >> 18));
            bytes[1] = static_cast<uint8_t>(0x80 | ((value >> 12) & 0x3F));
            bytes[2] = static_cast<uint8_t>(0x80 | ((value >> 6) & 0x3F));
            bytes[3] = static_cast<uint8_t>(0x80 | (value & 0x3F));
            n = 4;
        }
        if (room >= 1) {
            if (n > room - produced)
                break;
            memcpy(dst + produced, bytes, static_cast<size_t>(n));
        }
        produced += n;
    }
    *srcLen = consumed;
    *dstLen = produced;
    return 1;
}

bool OB_IsUTF8Data(const uint8_t* data, int* length)
{
    if (!length || *length < 1)
        return true;
    const int n = *length;
    *length = 0;
    if (!data)
        return true;
    int pending = 0;
    for (int i = 0; i < n; ++i) {
        const uint8_t byte = data[i];
        if (pending > 0) {
            if ((byte & 0xC0) != 0x80)
                return false;
            if (--pending == 0)
                *length = i + 1;
            continue;
        }
        if (byte < 0x80)
            continue;
        if ((byte & 0xE0) == 0xC0)
            pending = 1;
        else if ((byte & 0xF0) == 0xE0)
            pending = 2;
        else if ((byte & 0xF8) == 0xF0)
            pending = 3;
        else if ((byte & 0xFC) == 0xF8)
            pending = 4;
        else if ((byte & 0xFE) == 0xFC)
            pending = 5;
        else
            return false;
    }
    return true;
}

namespace {

wchar_t SwapUnit(wchar_t unit)
{
    const uint32_t v = static_cast<uint32_t>(unit);
    return static_cast<wchar_t>((v & ~0xFFFFu) | ((v & 0xFF) << 8) | ((v >> 8) & 0xFF));
}

} // namespace

void OB_SwapByteOrder(wchar_t* text, int length)
{
    if (!text)
        return;
    for (int i = 0; length < 0 ? text[i] != 0 : i < length; ++i)
        text[i] = SwapUnit(text[i]);
}

void OB_SwapByteOrderCopy(const wchar_t* src, wchar_t* dst, int length)
{
    if (!src || !dst)
        return;
    int i = 0;
    for (; length < 0 ? src[i] != 0 : i < length; ++i)
        dst[i] = SwapUnit(src[i]);
    if (length < 0)
        dst[i] = 0;
}

void OB_UTF16ToWChar(void* buffer, int length)
{
    if (!buffer)
        return;
    // From the last unit to the first, so that no unit is overwritten before it is read.
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (int i = length - 1; i >= 0; --i) {
        uint16_t unit;
        memcpy(&unit, bytes + 2 * static_cast<size_t>(i), sizeof unit);
        const wchar_t wide = static_cast<wchar_t>(unit);
        memcpy(bytes + sizeof(wchar_t) * static_cast<size_t>(i), &wide, sizeof wide);
    }
}

void OB_UTF16ToWCharCopy(const uint16_t* src, wchar_t* dst, int length)
{
    if (!src || !dst)
        return;
    for (int i = 0; i < length; ++i)
        dst[i] = static_cast<wchar_t>(src[i]);
}

void OB_WCharToUTF16(void* buffer, int length)
{
    if (!buffer)
        return;
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (int i = 0; i < length; ++i) {
        wchar_t wide;
        memcpy(&wide, bytes + sizeof(wchar_t) * static_cast<size_t>(i), sizeof wide);
        const uint16_t unit = static_cast<uint16_t>(wide);
        memcpy(bytes + 2 * static_cast<size_t>(i), &unit, sizeof unit);
    }
}

void OB_WCharToUTF16Copy(const wchar_t* src, uint16_t* dst, int length)
{
    if (!src || !dst)
        return;
    for (int i = 0; i < length; ++i)
        dst[i] = static_cast<uint16_t>(src[i]);
}
