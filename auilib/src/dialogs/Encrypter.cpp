#include "Encrypter.h"

#include "AUILibConfig.h"
#include "Utf8Text.h"

#include <QCryptographicHash>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const unsigned char kKey[] = {'Q', 'u', 'i', 'l', 'l', ' ', 'S', 'c', 'r', 'a', 'm', 'b', 'l', 'e',
                              ' ', 'L', 'e', 'x', 'i', 'c', 'o', 'n', ' ', 'D', 'a', 't', 'a'};
static_assert(sizeof(kKey) == 27, "the key is the phrase without a terminator");

const std::size_t kDigestSize = 16;

} // namespace

Encrypter::MD5Context::MD5Context() : hash(std::make_unique<QCryptographicHash>(QCryptographicHash::Md5)) {}
Encrypter::MD5Context::~MD5Context() = default;

void Encrypter::MD5Start(MD5Context *context)
{
    context->hash->reset();
}

void Encrypter::MD5Update(MD5Context *context, const unsigned char *data, unsigned int length)
{
    // QCryptographicHash takes an int length; feed larger buffers in pieces.
    const unsigned int kPiece = 1u << 30;
    while (length > 0) {
        const unsigned int piece = std::min(length, kPiece);
        context->hash->addData(reinterpret_cast<const char *>(data), static_cast<int>(piece));
        data += piece;
        length -= piece;
    }
}

void Encrypter::MD5Finish(MD5Context *context, unsigned char *digest)
{
    const QByteArray result = context->hash->result();
    std::memcpy(digest, result.constData(), kDigestSize);
    context->hash->reset();
}

void Encrypter::MD5Generate(unsigned char *data, unsigned int length, unsigned char *digest)
{
    MD5Context context;
    MD5Update(&context, data, length);
    MD5Finish(&context, digest);
}

void Encrypter::RC4CryptBlock(std::vector<unsigned char> &data)
{
    std::array<unsigned char, 256> state;
    for (int i = 0; i < 256; ++i)
        state[i] = static_cast<unsigned char>(i);
    unsigned char j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<unsigned char>(j + state[i] + kKey[i % sizeof(kKey)]);
        std::swap(state[i], state[j]);
    }
    unsigned char i = 0;
    j = 0;
    for (unsigned char &byte : data) {
        ++i;
        j = static_cast<unsigned char>(j + state[i]);
        std::swap(state[i], state[j]);
        byte ^= state[static_cast<unsigned char>(state[i] + state[j])];
    }
}

std::wstring Encrypter::ReadAndDecryptFile(const std::wstring &path)
{
    try {
        std::ifstream file(AUILib::WStringToUtf8(path), std::ios::binary);
        if (!file)
            return std::wstring();
        std::vector<unsigned char> body((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (file.bad() || body.size() <= kDigestSize)
            return std::wstring();
        const std::vector<unsigned char> trailer(body.end() - kDigestSize, body.end());
        body.resize(body.size() - kDigestSize);

        unsigned char digest[kDigestSize];
        MD5Generate(body.data(), static_cast<unsigned int>(body.size()), digest);
        if (!std::equal(trailer.begin(), trailer.end(), digest))
            return std::wstring();

        RC4CryptBlock(body);
        std::wstring text;
        if (!Utf8Text::decode(reinterpret_cast<const char *>(body.data()), body.size(), text))
            return std::wstring();
        return text;
    } catch (const std::exception &) {
        return std::wstring();
    }
}
