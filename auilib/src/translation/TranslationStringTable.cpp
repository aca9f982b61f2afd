#include "TranslationStringTable.h"

#include "AUILibConfig.h"
#include "LanguageFile.h"

#include <rapidxml/rapidxml.hpp>

#include <stdexcept>

namespace {

using Node = rapidxml::xml_node<char>;

bool isTakenLanguage(const std::wstring &language)
{
    return language == AUILib::GetCurrentLanguage() || language == AUILib::GetDefaultLanguage();
}

// Entries are the first "string" element and every element after it, whatever its name.
void readEntries(const Node *strings, TranslationStringTable::StringTable &table)
{
    for (const Node *entry = strings->first_node("string"); entry; entry = entry->next_sibling()) {
        const rapidxml::xml_attribute<char> *id = entry->first_attribute("id");
        if (id)
            table.emplace(LanguageFile::Value(id), LanguageFile::Value(entry));
    }
}

// Fields set before a value that is not a number stay set.
void applyFontPreference(const Node *font)
{
    const Node *preference = font->first_node("PreFont");
    if (!preference)
        return;
    const std::shared_ptr<AUILib::logFont> record = AUILib::GetFontInfo();
    try {
        for (const auto *attribute = preference->first_attribute(); attribute;
             attribute = attribute->next_attribute()) {
            const std::string name(attribute->name(), attribute->name_size());
            if (name == "FaceName")
                record->faceName = LanguageFile::Value(attribute);
            else if (name == "Height")
                record->height = std::stoi(LanguageFile::Value(attribute));
            else if (name == "Charset")
                record->charSet = static_cast<std::uint8_t>(std::stoi(LanguageFile::Value(attribute)));
        }
    } catch (const std::logic_error &) {
        // std::stoi: no number, or one out of range.
    }
}

} // namespace

void TranslationStringTable::ParseDocAndSaveStringTable(const rapidxml::xml_document<char> &document,
                                                        StringTable &table)
{
    const Node *root = document.first_node();
    if (!root)
        return;
    const rapidxml::xml_attribute<char> *language = root->first_attribute("language");
    if (!language || !isTakenLanguage(LanguageFile::Value(language)))
        return;
    const Node *font = root->first_node("Font");
    const Node *strings = root->first_node("StringTable");
    if (!strings)
        return;
    readEntries(strings, table);
    if (font)
        applyFontPreference(font);
}

void TranslationStringTable::AppendStringTable(const std::wstring &path, StringTable &table)
{
    std::vector<char> text;
    if (!LanguageFile::Read(path, text))
        return;
    try {
        rapidxml::xml_document<char> document;
        LanguageFile::Parse(document, text);
        ParseDocAndSaveStringTable(document, table);
    } catch (const std::exception &) {
        // A malformed file adds nothing; the tables stay usable.
    }
}

void TranslationStringTable::LoadStringTable(const std::wstring &path)
{
    if (m_tables.count(path))
        return;
    StringTable table;
    AppendStringTable(path, table);
    if (!table.empty())
        m_tables.emplace(path, std::move(table));
}

void TranslationStringTable::AppendStringTable(const std::wstring &targetPath, const std::wstring &sourcePath)
{
    AppendStringTable(sourcePath, m_tables[targetPath]);
}

std::optional<std::wstring> TranslationStringTable::GetText(const std::wstring &path, const std::wstring &id) const
{
    const auto table = m_tables.find(path);
    if (table == m_tables.end())
        return std::nullopt;
    const auto text = table->second.find(id);
    if (text == table->second.end())
        return std::nullopt;
    return text->second;
}
