#ifndef OB_NUMBERPARSE_H
#define OB_NUMBERPARSE_H

#include "COB_ByteStringC.h"

// Decimal text to float: optional signs, digits, an optional '.' and up to 11 fraction digits,
// ending at the first other character; 12 or more characters from the '.' on are read by the
// C runtime in the C locale instead. Never reports an error.
float OB_atof(const COB_ByteStringC& text);
// A text with '.' is a float (isInteger false, a float stored in out); otherwise an integer
// (64-bit when size is 8, else 32-bit), 0 when it overflows 64 bits.
void OB_atonum(const COB_ByteStringC& text, bool& isInteger, void* out, int size);
// 32.32 fixed point: value = integer + fraction / 2^32, up to 9 fraction digits. An integer part
// beyond 32 bits gives +/-16777215 and no fraction.
void OB_atofix32(const COB_ByteStringC& text, int& integer, unsigned int& fraction);

#endif
