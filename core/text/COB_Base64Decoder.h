#ifndef COB_BASE64DECODER_H
#define COB_BASE64DECODER_H

#include "COB_ByteString.h"
#include "COB_WideString.h"

// The 6-bit value of a character; 64 or above for a character outside the alphabet.
typedef unsigned char (*OB_BASE64_DECODER)(wchar_t c);

// The standard alphabet of RFC 4648; 255 for every other character, including all above 127.
unsigned char OBCRT_DefBase64Decoder(wchar_t c);

// Base64 decoding. Padding at the end is dropped and a final group may lack it; ASCII white
// space (line breaks included) is skipped; decoding stops at the first other character outside
// the alphabet, a padding character inside the text included. With a null output the pointer
// forms return the decoded length.
class COB_Base64Decoder
{
public:
    explicit COB_Base64Decoder(wchar_t padding = L'=');

    void SetDecoder(OB_BASE64_DECODER decoder) { m_pDecoder = decoder; }

    // Always the standard alphabet and '='.
    int Decode(const char* source, int size, unsigned char* out) const;
    // The object's decoder and padding character.
    int Decode(const wchar_t* source, int size, unsigned char* out) const;
    int Decode(const COB_WideStringC& source, COB_ByteString& out) const;
    // The source is UTF-8 text.
    int Decode(const COB_ByteStringC& source, COB_ByteString& out) const;

private:
    OB_BASE64_DECODER m_pDecoder;
    wchar_t m_Padding;
};

#endif
