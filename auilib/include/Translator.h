#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TranslationStringTable;
class TSTranslationUnit;

namespace AUILib {

// The toolkit's process-wide translation service. Per module it reads the
// string tables of the current and the default language and the Linguist file
// of the current language; the common module (empty name) is read with every
// other. It answers text lookups and translates the text of a form before the
// form is built. A change of language makes it forget everything it has read.
// Used from the thread that builds the toolkit's dialogs; no locks.
class Translator
{
public:
    static Translator &GetInstance();
    ~Translator();

    // Forgets the tables, the messages, the registered modules and the appended lists.
    void ResetStringsTable();

    // Register the common module and `module`; LoadModule keeps their loaded
    // flags, LoadStrings marks both to be read again.
    void LoadModule(const std::wstring &module);
    void LoadStrings(const std::wstring &module);
    // Reads the common module, `module` and its appended modules where not loaded.
    void LoadStringsToMemory(const std::wstring &module);
    void LoadToMemory(const std::wstring &module);
    // The appended modules' texts and messages go into `module`'s own.
    void LoadAppendStringsToMemory(const std::wstring &module);
    void AppendStrings(const std::wstring &base, const std::wstring &appended);

    // The module of a form under ".../auiresources/<module>/ui/...", else empty.
    std::wstring FindModule(const std::wstring &formPath);

    // The module's own text in the current language (what its appended modules
    // merged into it included, the common module's not), or empty.
    std::wstring GetText(const std::wstring &module, const std::wstring &id);
    // From the default-language tables read so far; reads nothing itself.
    std::wstring GetDefaultText(const std::wstring &module, const std::wstring &id);

    // Joins a string element spread over several lines into one line.
    void CollapseStringBlocks(std::vector<std::wstring> &lines);
    // The scrambled form's text with its texts in the current language, or
    // empty when no Linguist messages exist for the form (always so in "en-US").
    std::wstring TranslateUIFile(const std::wstring &formPath);
    // The whole text of a language file, or empty.
    std::wstring ReadTranslationFile(const std::wstring &path) const;

    Translator(const Translator &) = delete;
    Translator &operator=(const Translator &) = delete;

private:
    Translator();

    std::unique_ptr<TranslationStringTable> m_currentTables;
    std::unique_ptr<TranslationStringTable> m_defaultTables;
    std::unique_ptr<TSTranslationUnit> m_unit;
    // Module name to "its files were read since it was last marked".
    std::unordered_map<std::wstring, bool> m_modules;
    std::unordered_map<std::wstring, std::unordered_map<std::wstring, bool>> m_appended;
};

} // namespace AUILib
