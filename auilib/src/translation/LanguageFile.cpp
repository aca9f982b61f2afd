#include "LanguageFile.h"

#include "AUILibConfig.h"
#include "Encrypter.h"
#include "Utf8Text.h"

#include <fstream>
#include <iterator>

namespace LanguageFile {

bool Read(const std::wstring &path, std::vector<char> &text)
{
    std::string utf8;
    try {
        if (AUILib::ExpectsEncryptedLanguageFiles()) {
            const std::wstring plain = Encrypter::ReadAndDecryptFile(path);
            if (plain.empty())
                return false;
            utf8 = AUILib::WStringToUtf8(plain);
        } else {
            std::ifstream file(AUILib::WStringToUtf8(path), std::ios::binary);
            if (!file)
                return false;
            utf8.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
            std::wstring checked;
            if (file.bad() || !Utf8Text::decode(utf8.data(), utf8.size(), checked))
                return false;
        }
    } catch (const std::exception &) {
        return false;
    }
    text.assign(utf8.begin(), utf8.end());
    text.push_back('\0');
    return true;
}

void Parse(rapidxml::xml_document<char> &document, std::vector<char> &text)
{
    // The reader skips a UTF-8 byte-order mark itself.
    document.parse<rapidxml::parse_default>(text.data());
}

std::wstring Value(const rapidxml::xml_base<char> *item)
{
    return Utf8Text::widen(item->value(), item->value_size());
}

} // namespace LanguageFile
