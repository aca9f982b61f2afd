#ifndef OB_UNICODETEXT_H
#define OB_UNICODETEXT_H

#include <cstdint>

// UTF-8 between bytes and wide characters, with the length conventions of OB_DecodeString: on entry the
// input length and the output capacity, on return the input consumed and the output produced; a null
// output or a capacity below 1 only counts. Both return 1, or -1 for a null length pointer.
// Decoding stops at a stray continuation byte or at 0xFE/0xFF; overlong forms, surrogates and values
// beyond U+10FFFF decode to U+FFFD. Encoding writes one to four bytes per character and U+FFFD for
// values that are not Unicode characters.
int OB_UTF8Decode(const char* src, int* srcLen, wchar_t* dst, int* dstLen);
int OB_UTF8Encode(const wchar_t* src, int* srcLen, char* dst, int* dstLen);

// Whether the bytes may be UTF-8 (the 5- and 6-byte forms are accepted; an unfinished last sequence is
// not held against it). *length receives the length of the prefix ending with the last complete
// multi-byte character; an input length below 1 gives true and stays as it was.
bool OB_IsUTF8Data(const uint8_t* data, int* length);

// Each element holds one 16-bit unit whose two bytes change places. A negative length stops at the
// terminating zero (which the copy form copies).
void OB_SwapByteOrder(wchar_t* text, int length);
void OB_SwapByteOrderCopy(const wchar_t* src, wchar_t* dst, int length);

// Unit by unit between 16-bit units and wide characters; surrogates are not paired here.
// The in-place forms work on length units held at the start of the buffer.
void OB_UTF16ToWChar(void* buffer, int length);
void OB_UTF16ToWCharCopy(const uint16_t* src, wchar_t* dst, int length);
void OB_WCharToUTF16(void* buffer, int length);
void OB_WCharToUTF16Copy(const wchar_t* src, uint16_t* dst, int length);

#endif
