#include "QtTSLoader.h"

#include "AUILibConfig.h"
#include "AUILibUtils.h"
#include "LanguageFile.h"

#include <rapidxml/rapidxml.hpp>

#include <utility>
#include <vector>

namespace {

using Node = rapidxml::xml_node<char>;

void replaceAll(std::wstring &text, const std::wstring &from, const std::wstring &to)
{
    for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// As character data stands in a form file; '&' first, so that the others are
// not escaped twice. Apostrophes stay.
std::wstring escaped(std::wstring text)
{
    replaceAll(text, L"&", L"&amp;");
    replaceAll(text, L"<", L"&lt;");
    replaceAll(text, L">", L"&gt;");
    replaceAll(text, L"\"", L"&quot;");
    return text;
}

std::wstring fileName(const std::wstring &path)
{
    const std::size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Adds the message at each of its locations; one without a usable location is dropped.
void readMessage(const Node *message, const std::wstring &module, TSTranslationUnit &unit)
{
    std::wstring source;
    std::wstring translation;
    std::vector<std::pair<int, std::wstring>> locations;
    for (const Node *child = message->first_node(); child; child = child->next_sibling()) {
        const std::string name(child->name(), child->name_size());
        if (name == "location") {
            const auto *file = child->first_attribute("filename");
            const auto *line = child->first_attribute("line");
            if (file && line)
                locations.emplace_back(std::stoi(LanguageFile::Value(line)), fileName(LanguageFile::Value(file)));
            continue;
        }
        if (name == "source")
            source = LanguageFile::Value(child);
        else if (name == "translation")
            translation = LanguageFile::Value(child);
        // An unfinished translation, or one of plural forms only, reads as its source.
        if (translation.empty())
            translation = source;
    }
    translation = escaped(translation);
    source = escaped(source);
    // The form's own lines are joined the same way before they are compared.
    AUILibUtils::Trim(source);
    AUILibUtils::CleanCRLFInside(source);
    for (const auto &location : locations)
        unit.AddMessageFromTS(module + L";" + location.second, location.first, TSMessage{source, translation});
}

} // namespace

std::optional<TSTranslationUnit> QtTSLoader::ParseDoc(const rapidxml::xml_document<char> &document,
                                                      const std::wstring &module)
{
    const Node *ts = document.first_node("TS");
    if (!ts)
        return std::nullopt;
    const auto *language = ts->first_attribute("language");
    if (!language || LanguageFile::Value(language) != AUILib::GetCurrentLanguage())
        return std::nullopt;
    TSTranslationUnit unit;
    try {
        for (const Node *context = ts->first_node("context"); context; context = context->next_sibling()) {
            for (const Node *message = context->first_node("message"); message; message = message->next_sibling())
                readMessage(message, module, unit);
        }
    } catch (const std::logic_error &) {
        // A "line" that is not a number: nothing of the file is used.
        return std::nullopt;
    }
    return unit;
}

std::optional<TSTranslationUnit> QtTSLoader::LoadTranslationUnit(const std::wstring &path, const std::wstring &module)
{
    std::vector<char> text;
    if (!LanguageFile::Read(path, text))
        return std::nullopt;
    try {
        rapidxml::xml_document<char> document;
        LanguageFile::Parse(document, text);
        return ParseDoc(document, module);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}
