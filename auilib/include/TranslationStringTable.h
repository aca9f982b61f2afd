#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace rapidxml {
template <class Ch> class xml_document;
}

// Texts by id, read from string-table files ("strings_<language>.xml", plain or
// scrambled as the configuration expects), one table per file path. A file is
// taken only when its "language" is the current or the default language; its
// font preference, if any, goes into the toolkit's shared font record. Texts
// are never replaced: the first one read for an id in a table stays.
class TranslationStringTable
{
public:
    using StringTable = std::unordered_map<std::wstring, std::wstring>;

    // Reads the file under its path unless that path already has a table. A file
    // that yields nothing stores nothing, so the next call reads it again.
    void LoadStringTable(const std::wstring &path);
    // Adds the file's entries to `table`. Never throws: a missing or malformed
    // file adds nothing (or what was read before the failure).
    void AppendStringTable(const std::wstring &path, StringTable &table);
    // Adds the entries of sourcePath to the table of targetPath, which is made
    // (empty, if need be) when it does not exist.
    void AppendStringTable(const std::wstring &targetPath, const std::wstring &sourcePath);
    void ParseDocAndSaveStringTable(const rapidxml::xml_document<char> &document, StringTable &table);

    // Present (possibly empty) when the table of path holds id.
    std::optional<std::wstring> GetText(const std::wstring &path, const std::wstring &id) const;

private:
    std::unordered_map<std::wstring, StringTable> m_tables;
};
