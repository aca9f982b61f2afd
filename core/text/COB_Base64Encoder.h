#ifndef COB_BASE64ENCODER_H
#define COB_BASE64ENCODER_H

#include "COB_ByteString.h"
#include "COB_WideString.h"

// The character of a 6-bit value.
typedef wchar_t (*OB_BASE64_ENCODER)(unsigned int value);

// The standard alphabet of RFC 4648: the character of value & 63.
wchar_t OBCRT_DefBase64Encoder(unsigned int value);

// Base64 without line breaks. With a null output the pointer forms return the length they would
// write; a size below 1, or an output longer than an int counts, gives 0.
class COB_Base64Encoder
{
public:
    explicit COB_Base64Encoder(wchar_t padding = L'=');

    void SetEncoder(OB_BASE64_ENCODER encoder) { m_pEncoder = encoder; }

    // Always the standard alphabet and '=', whatever encoder and padding the object holds.
    int Encode(const unsigned char* source, int size, char* out) const;
    // The object's encoder and padding character.
    int Encode(const unsigned char* source, int size, wchar_t* out) const;
    int Encode(const COB_ByteStringC& source, COB_WideString& out) const;
    // Encoded as wide text, stored as its UTF-8 form.
    int Encode(const COB_ByteStringC& source, COB_ByteString& out) const;

private:
    OB_BASE64_ENCODER m_pEncoder;
    wchar_t m_Padding;
};

#endif
