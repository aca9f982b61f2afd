#include "Translator.h"

#include "AUILibConfig.h"
#include "Encrypter.h"
#include "LanguageFile.h"
#include "QtTSLoader.h"
#include "TSTranslationUnit.h"
#include "TranslationStringTable.h"
#include "Utf8Text.h"

namespace AUILib {

namespace {

const wchar_t kWhitespace[] = L" \t\r\n";

std::wstring trimmedRight(const std::wstring &text)
{
    const std::size_t last = text.find_last_not_of(kWhitespace);
    return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

std::wstring trimmed(const std::wstring &text)
{
    const std::size_t first = text.find_first_not_of(kWhitespace);
    return first == std::wstring::npos ? std::wstring() : trimmedRight(text.substr(first));
}

// The lines of a form, each with the number (from 1) of the form line it starts
// at: Linguist files place messages by those numbers.
struct FormLines
{
    std::vector<std::wstring> lines;
    std::vector<int> numbers;
};

FormLines splitLines(const std::wstring &text)
{
    FormLines form;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        form.lines.push_back(text.substr(start, end - start));
        form.numbers.push_back(static_cast<int>(form.lines.size()));
        start = end + 1;
    }
    return form;
}

// A block opens at a line with the bare "<string>" tag and no "</string>"; its
// following lines are trimmed and joined with single blanks, and no blank is
// left before "</string>". A block that never closes ends the list as it is.
FormLines collapse(const FormLines &form)
{
    FormLines result;
    bool inside = false;
    std::wstring block;
    int blockNumber = 0;
    for (std::size_t i = 0; i < form.lines.size(); ++i) {
        const std::wstring &line = form.lines[i];
        if (!inside) {
            if (line.find(L"<string>") != std::wstring::npos && line.find(L"</string>") == std::wstring::npos) {
                block = trimmedRight(line);
                blockNumber = form.numbers[i];
                inside = true;
            } else {
                result.lines.push_back(line);
                result.numbers.push_back(form.numbers[i]);
            }
            continue;
        }
        block += L" " + trimmed(line);
        const std::size_t close = block.find(L"</string>");
        if (close == std::wstring::npos)
            continue;
        // The block's first line holds "<string>", so close is past it.
        const std::size_t keep = block.find_last_not_of(kWhitespace, close - 1);
        const std::size_t runStart = keep == std::wstring::npos ? 0 : keep + 1;
        block.erase(runStart, close - runStart);
        result.lines.push_back(block);
        result.numbers.push_back(blockNumber);
        block.clear();
        inside = false;
    }
    if (!block.empty()) {
        result.lines.push_back(block);
        result.numbers.push_back(blockNumber);
    }
    return result;
}

// Where one string element stands on a line.
struct StringSpan
{
    std::size_t open = 0;    // the '<' of "<string"
    std::size_t textStart = 0;
    std::size_t close = 0;   // the '<' of "</string"
    std::size_t end = 0;     // one past the closing tag
};

// The element whose closing tag comes first on the line; false when the line
// has no complete element (the end of a block of lines that was not joined).
bool findStringSpan(const std::wstring &line, StringSpan &span)
{
    span.close = line.find(L"</string");
    if (span.close == std::wstring::npos)
        return false;
    // "<string" followed by '>' or a blank, so that "<stringlist>" is not taken.
    std::size_t open = span.close;
    for (;;) {
        open = open == 0 ? std::wstring::npos : line.rfind(L"<string", open - 1);
        if (open == std::wstring::npos)
            return false;
        const wchar_t after = open + 7 < line.size() ? line[open + 7] : L'\0';
        if (after == L'>' || after == L' ' || after == L'\t')
            break;
    }
    const std::size_t openEnd = line.find(L'>', open);
    if (openEnd == std::wstring::npos || openEnd > span.close)
        return false;
    span.open = open;
    span.textStart = openEnd + 1;
    const std::size_t closeEnd = line.find(L'>', span.close);
    span.end = closeEnd == std::wstring::npos ? line.size() : closeEnd + 1;
    return true;
}

// The line's string element is given the translation; what surrounds it stays.
void translateLine(std::wstring &line, int number, const TSTranslationUnit::Messages &messages)
{
    StringSpan span;
    if (!findStringSpan(line, span))
        return;
    if (line.substr(span.open, span.textStart - span.open).find(L"notr=\"true\"") != std::wstring::npos)
        return;
    const std::wstring source = line.substr(span.textStart, span.close - span.textStart);
    const TSMessage *found = nullptr;
    for (const auto &message : messages) {
        if (message.second.source == source) {
            found = &message.second;
            break;
        }
    }
    if (!found) {
        // A text changed since the Linguist file was made is still found by its place.
        const auto atLine = messages.find(number);
        if (atLine == messages.end())
            return;
        found = &atLine->second;
    }
    line.replace(span.open, span.end - span.open, L"<string>" + found->translation + L"</string>");
}

} // namespace

Translator &Translator::GetInstance()
{
    static Translator instance;
    return instance;
}

Translator::Translator()
    : m_currentTables(std::make_unique<TranslationStringTable>()),
      m_defaultTables(std::make_unique<TranslationStringTable>()), m_unit(std::make_unique<TSTranslationUnit>())
{
}

Translator::~Translator() = default;

void Translator::ResetStringsTable()
{
    m_currentTables = std::make_unique<TranslationStringTable>();
    m_defaultTables = std::make_unique<TranslationStringTable>();
    m_unit = std::make_unique<TSTranslationUnit>();
    m_modules.clear();
    m_appended.clear();
}

void Translator::LoadModule(const std::wstring &module)
{
    m_modules.emplace(std::wstring(), false);
    m_modules.emplace(module, false);
}

void Translator::LoadStrings(const std::wstring &module)
{
    m_modules[std::wstring()] = false;
    m_modules[module] = false;
}

void Translator::LoadToMemory(const std::wstring &module)
{
    const auto entry = m_modules.find(module);
    if (entry == m_modules.end() || entry->second)
        return;
    m_currentTables->LoadStringTable(GetStringsFilePath(module, false));
    m_defaultTables->LoadStringTable(GetStringsFilePath(module, true));
    if (GetCurrentLanguage() == GetDefaultLanguage()) {
        entry->second = true;
        return;
    }
    const std::wstring path = GetTranslationFilePath(module);
    if (path.empty())
        return;
    if (const std::optional<TSTranslationUnit> unit = QtTSLoader::LoadTranslationUnit(path, module))
        m_unit->AppendTsTranslationUnit(*unit, module);
    entry->second = true;
}

void Translator::LoadAppendStringsToMemory(const std::wstring &module)
{
    const auto list = m_appended.find(module);
    if (list == m_appended.end())
        return;
    for (auto &appended : list->second) {
        if (appended.second)
            continue;
        appended.second = true;
        m_currentTables->AppendStringTable(GetStringsFilePath(module, false),
                                           GetStringsFilePath(appended.first, false));
        m_defaultTables->AppendStringTable(GetStringsFilePath(module, true), GetStringsFilePath(appended.first, true));
        const std::wstring path = GetTranslationFilePath(appended.first);
        if (path.empty())
            continue;
        if (const std::optional<TSTranslationUnit> unit = QtTSLoader::LoadTranslationUnit(path, module))
            m_unit->AppendTsTranslationUnit(*unit, module);
    }
}

void Translator::LoadStringsToMemory(const std::wstring &module)
{
    LoadToMemory(std::wstring());
    LoadToMemory(module);
    LoadAppendStringsToMemory(module);
}

void Translator::AppendStrings(const std::wstring &base, const std::wstring &appended)
{
    m_appended[base].emplace(appended, false);
}

std::wstring Translator::FindModule(const std::wstring &formPath)
{
    const std::wstring resources = L"auiresources/";
    const std::size_t at = formPath.find(resources);
    if (at == std::wstring::npos)
        return std::wstring();
    const std::size_t start = at + resources.size();
    // The form folder itself, not any name that begins with "ui".
    const std::size_t ui = formPath.find(L"/ui/", start);
    if (ui == std::wstring::npos)
        return std::wstring();
    return formPath.substr(start, ui - start);
}

std::wstring Translator::GetText(const std::wstring &module, const std::wstring &id)
{
    LoadStrings(module);
    LoadStringsToMemory(module);
    return m_currentTables->GetText(GetStringsFilePath(module, false), id).value_or(std::wstring());
}

std::wstring Translator::GetDefaultText(const std::wstring &module, const std::wstring &id)
{
    return m_defaultTables->GetText(GetStringsFilePath(module, true), id).value_or(std::wstring());
}

void Translator::CollapseStringBlocks(std::vector<std::wstring> &lines)
{
    FormLines form;
    form.lines = lines;
    form.numbers.assign(lines.size(), 0);
    lines = collapse(form).lines;
}

std::wstring Translator::TranslateUIFile(const std::wstring &formPath)
{
    const std::wstring text = Encrypter::ReadAndDecryptFile(formPath);
    FormLines form = collapse(splitLines(text));

    const std::size_t separator = formPath.find(L'/') != std::wstring::npos ? formPath.rfind(L'/')
                                                                             : formPath.rfind(L'\\');
    const std::wstring name = separator == std::wstring::npos ? formPath : formPath.substr(separator + 1);
    // Forms are stored as "<name>.ui" plus a three-character suffix (".ob").
    const std::wstring base = name.size() < 3 ? name : name.substr(0, name.size() - 3);

    const std::wstring module = FindModule(formPath);
    LoadModule(module);
    LoadStringsToMemory(module);

    const TSTranslationUnit::Messages *messages = m_unit->Find(module + L";" + base);
    if (!messages)
        messages = m_unit->Find(L";" + base);
    if (!messages)
        return std::wstring();

    // The last line is the form's closing tag and never holds a text.
    for (std::size_t i = 0; i + 1 < form.lines.size(); ++i)
        translateLine(form.lines[i], form.numbers[i], *messages);

    // Lines keep their line feeds, so that a text spread over lines that was
    // not joined (one with attributes) keeps its line breaks.
    std::wstring result;
    for (std::size_t i = 0; i < form.lines.size(); ++i) {
        result += form.lines[i];
        if (i + 1 < form.lines.size() || (!text.empty() && text.back() == L'\n'))
            result += L'\n';
    }
    return result;
}

std::wstring Translator::ReadTranslationFile(const std::wstring &path) const
{
    std::vector<char> text;
    if (!LanguageFile::Read(path, text))
        return std::wstring();
    std::wstring wide;
    Utf8Text::decode(text.data(), text.size() - 1, wide);
    return wide;
}

} // namespace AUILib
