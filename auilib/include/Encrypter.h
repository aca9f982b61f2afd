#pragma once

#include <memory>
#include <string>
#include <vector>

class QCryptographicHash;

// Reads the toolkit's scrambled text files: forms always, language files when
// the configuration expects them scrambled. A file is the UTF-8 text scrambled
// with RC4 under one fixed key, followed by the 16-byte MD5 of the scrambled
// bytes. Stateless: every operation is static.
class Encrypter
{
public:
    // A running MD5 digest. The digest itself is Qt's; the context only keeps
    // the start, update and finish steps callers know.
    struct MD5Context
    {
        MD5Context();
        ~MD5Context();
        std::unique_ptr<QCryptographicHash> hash;
    };

    // The text of a scrambled file, or empty when it is missing, 16 bytes or
    // shorter, fails its digest or does not unscramble to valid UTF-8. A
    // byte-order mark stays in the text as U+FEFF.
    static std::wstring ReadAndDecryptFile(const std::wstring &path);

    // Scrambles or unscrambles in place, from a fresh RC4 state each call.
    static void RC4CryptBlock(std::vector<unsigned char> &data);

    // The 16-byte digest of the buffer into `digest`.
    static void MD5Generate(unsigned char *data, unsigned int length, unsigned char *digest);
    static void MD5Start(MD5Context *context);
    static void MD5Update(MD5Context *context, const unsigned char *data, unsigned int length);
    // Writes the 16-byte digest and starts the context afresh.
    static void MD5Finish(MD5Context *context, unsigned char *digest);
};
