// Fuzz target of the code-page conversions: any bytes decoded in every output mode must agree with
// the counting mode, the output of a small buffer must be a prefix of the whole, and decoded text
// must survive encoding and decoding again. The same bytes taken as wide characters are encoded,
// and as 16-bit codes looked up one by one.

#include "IOB_CodePage.h"
#include "OB_CodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const uint16_t kCodePages[] = {874,  932,  936,  949,  950,  1250, 1251, 1252, 1253,
                               1254, 1255, 1256, 1257, 1258, 65001, 1200, 1201};

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::vector<wchar_t> DecodeAll(uint16_t codePage, const char* src, int length, bool errBreak, int& consumed, int& result)
{
    int srcLen = length;
    int dstLen = 0;
    const int counted = OB_DecodeString(codePage, src, &srcLen, nullptr, &dstLen, errBreak);
    std::vector<wchar_t> out(static_cast<size_t>(dstLen) + 1);
    int srcLen2 = length;
    int dstLen2 = static_cast<int>(out.size());
    result = OB_DecodeString(codePage, src, &srcLen2, out.data(), &dstLen2, errBreak);
    Check(result == counted && srcLen2 == srcLen && dstLen2 == dstLen);
    Check(srcLen >= 0 && srcLen <= length);
    out.resize(static_cast<size_t>(dstLen));
    consumed = srcLen;
    return out;
}

std::vector<char> EncodeAll(uint16_t codePage, const wchar_t* src, int length, bool errBreak, int& result)
{
    int srcLen = length;
    int dstLen = 0;
    const int counted = OB_EncodeString(codePage, src, &srcLen, nullptr, &dstLen, errBreak);
    std::vector<char> out(static_cast<size_t>(dstLen) + 1);
    int srcLen2 = length;
    int dstLen2 = static_cast<int>(out.size());
    result = OB_EncodeString(codePage, src, &srcLen2, out.data(), &dstLen2, errBreak);
    Check(result == counted && srcLen2 == srcLen && dstLen2 == dstLen);
    Check(srcLen >= 0 && srcLen <= length);
    out.resize(static_cast<size_t>(dstLen));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 1 << 16)
        return 0;
    const uint16_t codePage = kCodePages[data[0] % (sizeof kCodePages / sizeof kCodePages[0])];
    const bool errBreak = data[1] & 1;
    const int capacity = data[1] >> 1;
    const char* src = reinterpret_cast<const char*>(data + 2);
    const int length = static_cast<int>(size - 2);

    int consumed = 0;
    int result = 0;
    const std::vector<wchar_t> text = DecodeAll(codePage, src, length, errBreak, consumed, result);
    Check(result == 1 || result == 0);

    // A small buffer holds a prefix of the whole output.
    std::vector<wchar_t> small(static_cast<size_t>(capacity) + 1);
    int srcLen = length;
    int dstLen = capacity;
    OB_DecodeString(codePage, src, &srcLen, small.data(), &dstLen, errBreak);
    Check(srcLen <= consumed && dstLen <= (capacity > 0 ? capacity : static_cast<int>(text.size())));
    if (capacity > 0)
        Check(memcmp(small.data(), text.data(), sizeof(wchar_t) * static_cast<size_t>(dstLen)) == 0);

    // Decoded text goes round: every character it holds has a code of its own.
    if (!text.empty()) {
        int encodeResult = 0;
        const std::vector<char> bytes =
            EncodeAll(codePage, text.data(), static_cast<int>(text.size()), true, encodeResult);
        Check(encodeResult == 1);
        int again = 0;
        int againResult = 0;
        const std::vector<wchar_t> back =
            DecodeAll(codePage, bytes.data(), static_cast<int>(bytes.size()), true, again, againResult);
        Check(againResult == 1 && back == text);
    }

    // The bytes as wide characters, whatever their values.
    std::vector<wchar_t> wide(static_cast<size_t>(length) / sizeof(wchar_t));
    if (!wide.empty())
        memcpy(wide.data(), src, wide.size() * sizeof(wchar_t));
    int encodeResult = 0;
    EncodeAll(codePage, wide.data(), static_cast<int>(wide.size()), errBreak, encodeResult);

    if (IOB_CodePage* page = IOB_CodePage::Create(codePage)) {
        for (int i = 0; i + 1 < length; i += 2) {
            uint16_t value;
            memcpy(&value, src + i, sizeof value);
            const wchar_t unicode = page->GetUnicode(value);
            if (unicode != 0xFEFF)
                Check(page->GetUnicode(page->GetCharcode(unicode)) == unicode);
            page->IsValidUnicode(static_cast<wchar_t>(value));
            page->IsLeadByte(static_cast<uint8_t>(value));
        }
        page->Release();
    }
    return 0;
}
