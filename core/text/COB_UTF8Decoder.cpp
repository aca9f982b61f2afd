#include "COB_UTF8Decoder.h"

#include "COB_WideStringC.h"

namespace {

const unsigned int kReplacement = 0xFFFD;

// Smallest value each sequence length may carry; anything below is an overlong form.
const unsigned int kMinimum[7] = {0, 0, 0x80, 0x800, 0x10000, 0x200000, 0x4000000};

} // namespace

void COB_UTF8Decoder::Input(unsigned char byte)
{
    if (byte < 0x80) {
        m_Pending = 0;
        m_Text.AppendChar(static_cast<wchar_t>(byte));
        return;
    }
    if (byte < 0xC0) {
        if (m_Pending == 0)
            return;
        --m_Pending;
        m_Value |= static_cast<unsigned int>(byte & 0x3F) << (6 * m_Pending);
        if (m_Pending != 0)
            return;
        // Overlong forms, surrogates and values beyond Unicode would let a character arrive in
        // disguise (an overlong '/' in a file name); they are replaced, like an encoded 0.
        unsigned int ch = m_Value;
        if (ch == 0 || ch < kMinimum[m_Length] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
            ch = kReplacement;
        m_Text.AppendChar(static_cast<wchar_t>(ch));
        return;
    }
    if (byte < 0xE0) {
        m_Pending = 1;
        m_Value = static_cast<unsigned int>(byte & 0x1F) << 6;
    } else if (byte < 0xF0) {
        m_Pending = 2;
        m_Value = static_cast<unsigned int>(byte & 0x0F) << 12;
    } else if (byte < 0xF8) {
        m_Pending = 3;
        m_Value = static_cast<unsigned int>(byte & 0x07) << 18;
    } else if (byte < 0xFC) {
        m_Pending = 4;
        m_Value = static_cast<unsigned int>(byte & 0x03) << 24;
    } else if (byte < 0xFE) {
        m_Pending = 5;
        m_Value = static_cast<unsigned int>(byte & 0x01) << 30;
    } else {
        return; // 0xFE and 0xFF carry nothing
    }
    m_Length = m_Pending + 1;
}

COB_WideStringC COB_UTF8Decoder::GetResult() const
{
    return m_Text.GetWideString();
}
