#include "Encrypter.h"

#include "NumberedFilesTest.h"
#include "ScrambledFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QByteArray md5(const QByteArray &data)
{
    unsigned char digest[16];
    std::vector<unsigned char> bytes(data.begin(), data.end());
    Encrypter::MD5Generate(bytes.data(), static_cast<unsigned int>(bytes.size()), digest);
    return QByteArray(reinterpret_cast<const char *>(digest), 16).toHex();
}

// A scrambled file made here, for contents the tool would refuse to write.
QByteArray scrambledBytes(const QByteArray &plain)
{
    std::vector<unsigned char> body(plain.begin(), plain.end());
    Encrypter::RC4CryptBlock(body);
    QByteArray file(reinterpret_cast<const char *>(body.data()), static_cast<int>(body.size()));
    return file + QByteArray::fromHex(md5(file));
}

} // namespace

TEST(EncrypterTest, MD5AgreesWithTheReferenceSuite)
{
    const std::pair<QByteArray, const char *> suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto &entry : suite)
        EXPECT_EQ(md5(entry.first), entry.second) << entry.first.constData();

    // In pieces, through a context that is then ready for the next text.
    Encrypter::MD5Context context;
    Encrypter::MD5Start(&context);
    Encrypter::MD5Update(&context, reinterpret_cast<const unsigned char *>("message "), 8);
    Encrypter::MD5Update(&context, reinterpret_cast<const unsigned char *>("digest"), 6);
    unsigned char digest[16];
    Encrypter::MD5Finish(&context, digest);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(digest), 16).toHex(), "f96b697d7cb7938d525a2f31aaf161d0");
    Encrypter::MD5Update(&context, reinterpret_cast<const unsigned char *>("abc"), 3);
    Encrypter::MD5Finish(&context, digest);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(digest), 16).toHex(), "900150983cd24fb0d6963f7d28e17f72");
}

// The key stream of the fixed key, from an independent RC4 (checked against the
// RFC 6229 vectors) run once in Python.
TEST(EncrypterTest, RC4UsesTheFixedKeyAndUndoesItself)
{
    std::vector<unsigned char> zeros(32, 0);
    Encrypter::RC4CryptBlock(zeros);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(zeros.data()), 32).toHex(),
              "e5dac15947851721e8fbffd7a3610bfe949e7ce879296e4dd5529eb6c4bd4e2f");

    const std::vector<unsigned char> start = {'a', 0, 0xff, 'z', 0x80};
    std::vector<unsigned char> data = start;
    Encrypter::RC4CryptBlock(data);
    EXPECT_NE(data, start);
    Encrypter::RC4CryptBlock(data);
    EXPECT_EQ(data, start);

    std::vector<unsigned char> empty;
    Encrypter::RC4CryptBlock(empty);
    EXPECT_TRUE(empty.empty());
}

using ReadAndDecryptFileTest = NumberedFilesTest;

TEST_F(ReadAndDecryptFileTest, ReadsTheTextBack)
{
    // "h\u00e9llo\n" as the independent Python writer scrambles it.
    EXPECT_EQ(Encrypter::ReadAndDecryptFile(
                  file(QByteArray::fromHex("8d1968352bea1dd0a271d1af7b0ec3d2a4a51bc3886af1"))),
              L"h\u00e9llo\n");

    const QString path = sandbox.base() + "/form.ui.ob";
    ASSERT_TRUE(ScrambledFiles::write(path, "\xef\xbb\xbf<a>\xd0\x96\xe4\xb8\xad\xe6\x97\xa5\xf0\x9f\x98\x80</a>"));
    // A byte-order mark is part of the text.
    EXPECT_EQ(Encrypter::ReadAndDecryptFile(path.toStdWString()), L"\uFEFF<a>\u0416\u4e2d\u65e5\U0001F600</a>");

    EXPECT_EQ(Encrypter::ReadAndDecryptFile(file(scrambledBytes(QByteArray("a\0b\0", 4)))),
              std::wstring(L"a\0b\0", 4));
    // 17 bytes: one character.
    EXPECT_EQ(Encrypter::ReadAndDecryptFile(file(scrambledBytes("A"))), L"A");
}

TEST_F(ReadAndDecryptFileTest, AnythingElseReadsAsEmpty)
{
    QByteArray tampered = scrambledBytes("<ui>text</ui>");
    tampered[tampered.size() - 1] = static_cast<char>(tampered.at(tampered.size() - 1) ^ 1);
    QByteArray damagedBody = scrambledBytes("<ui>text</ui>");
    damagedBody[0] = static_cast<char>(damagedBody.at(0) ^ 1);

    const std::pair<const char *, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"digest only", QByteArray(16, 'x')},
        {"digest of nothing", QByteArray::fromHex("d41d8cd98f00b204e9800998ecf8427e")},
        {"digest changed", tampered},
        {"body changed", damagedBody},
        {"plain text", QByteArray("<?xml version=\"1.0\"?><ui version=\"4.0\"></ui>")},
        {"not UTF-8 inside", scrambledBytes("ab\xff")},
        {"cut UTF-8 sequence", scrambledBytes("ab\xe4\xb8")},
        {"surrogate", scrambledBytes("\xed\xa0\x80")},
        {"overlong", scrambledBytes("\xc0\xaf")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Encrypter::ReadAndDecryptFile(file(c.second)), L"") << c.first;
    EXPECT_EQ(Encrypter::ReadAndDecryptFile((sandbox.base() + "/missing.ob").toStdWString()), L"");
    EXPECT_EQ(Encrypter::ReadAndDecryptFile(sandbox.base().toStdWString()), L"");
    EXPECT_EQ(Encrypter::ReadAndDecryptFile(std::wstring(1, wchar_t(0xD800))), L"");
}

TEST_F(ReadAndDecryptFileTest, TheToolRefusesWhatCouldNotBeReadBack)
{
    const QString plain = sandbox.base() + "/plain.txt";
    const QString scrambled = sandbox.base() + "/plain.txt.ob";
    const QString back = sandbox.base() + "/back.txt";
    const QByteArray text = "<ui>\n \xd0\x9e\xd0\x9a \xe7\xa1\xae\xe5\xae\x9a</ui>\n";
    ASSERT_TRUE(ScrambledFiles::writePlain(plain, text));
    ASSERT_EQ(ScrambledFiles::run({"scramble", plain, scrambled}), 0);
    EXPECT_EQ(sandbox.readFile(scrambled), scrambledBytes(text));
    ASSERT_EQ(ScrambledFiles::run({"unscramble", scrambled, back}), 0);
    EXPECT_EQ(sandbox.readFile(back), text);

    QByteArray errors;
    // Nothing the toolkit could not read is written.
    ASSERT_TRUE(ScrambledFiles::writePlain(plain, "a\xff"));
    EXPECT_EQ(ScrambledFiles::run({"scramble", plain, sandbox.base() + "/bad.ob"}, &errors), 1);
    EXPECT_TRUE(errors.contains("not UTF-8")) << errors.constData();
    EXPECT_FALSE(QFile::exists(sandbox.base() + "/bad.ob"));
    // A refused text leaves the file it was to replace as it was, and no trial copy.
    EXPECT_EQ(ScrambledFiles::run({"scramble", plain, scrambled}), 1);
    EXPECT_EQ(sandbox.readFile(scrambled), scrambledBytes(text));
    EXPECT_EQ(QDir(sandbox.base()).entryList({"ScrambleText.*"}).size(), 0);
    ASSERT_TRUE(ScrambledFiles::writePlain(plain, ""));
    EXPECT_EQ(ScrambledFiles::run({"scramble", plain, sandbox.base() + "/empty.ob"}), 1);
    EXPECT_FALSE(QFile::exists(sandbox.base() + "/empty.ob"));

    // A plain file is not taken for a scrambled one.
    EXPECT_EQ(ScrambledFiles::run({"unscramble", back, sandbox.base() + "/x"}, &errors), 1);
    EXPECT_TRUE(errors.contains("fails its digest")) << errors.constData();
    EXPECT_FALSE(QFile::exists(sandbox.base() + "/x"));
    EXPECT_EQ(ScrambledFiles::run({"scramble", plain}), 2);
}
