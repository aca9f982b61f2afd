#ifndef OB_URLCODING_H
#define OB_URLCODING_H

#include "COB_ByteString.h"
#include "COB_WideString.h"

// Percent coding over UTF-8. Controls, space, DEL and " # % < > [ \ ] ^ ` { | } ~ are always
// escaped, as is every byte of a character above U+007F; escapes use upper-case hex digits.
// Decoding turns every well-formed escape (either case) into its byte and leaves anything else
// literal; the bytes are read as UTF-8 with their full length, so a decoded NUL is kept.
COB_ByteString OB_UrlEncode(const COB_WideString& text);
COB_WideString OB_UrlDecode(const COB_ByteString& text);
COB_ByteString OB_EncodeURI(const COB_WideString& text);
COB_WideString OB_DecodeURI(const COB_ByteString& text);

#endif
