#ifndef OB_NUMBERTEXT_H
#define OB_NUMBERTEXT_H

// Number text shared by the strings, the text builders and the XML composer.

// 0 or less: the default float writer; 1 or more: a fixed number of decimals (at most 8).
extern int g_iPrecision;

// Size a caller's buffer must have for the float writers. Floats of 2^31 and above are written
// with their whole integer part (up to 39 digits), so 32 bytes are not enough.
enum { OB_FTOA_BUFSIZE = 48 };

// Writes value as a plain decimal (never an exponent) with about six significant digits and
// returns the length; the text is zero-terminated. appendZero > 0 writes "2.0" instead of "2".
// Values below 0.1 keep their significant digits, up to 28 decimals.
int OB_ftoa_s(float value, char* buffer, int appendZero);
// The same, but values below 0.1 get at most six decimals (1e-7 gives "0").
int OB_ftoa(float value, char* buffer, int appendZero);

// Decimal parser: optional sign, digits, optional '.' and fraction digits, ending at the first
// other character; no exponent. len must not be negative.
float OB_wtof(const wchar_t* text, int len);

// Permissive integer parser over zero-terminated text: optional sign, then digits up to the first
// other character; no overflow check (the value wraps in 32 bits).
int OB_wtoi(const wchar_t* text);

// Flags of the integer formatter.
enum : unsigned { OB_INT_SIGNED = 1, OB_INT_HEX = 2, OB_INT_UPPER = 4 };

// The text of COB_ByteString::FormatInteger written into buffer (12 bytes at least), zero-terminated;
// returns the length. Lets fixed-size buffers format without allocating.
int OB_FormatIntegerText(int value, unsigned flags, char* buffer);

#endif
