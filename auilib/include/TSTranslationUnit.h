#pragma once

#include <map>
#include <string>
#include <unordered_map>

// Both texts are kept escaped for XML character data, as they stand in the raw
// text of a form file.
struct TSMessage
{
    std::wstring source;
    std::wstring translation;
};

// Linguist messages by unit key (module name, ';', form file name: "tools;options.ui",
// ";options.ui" for the common module) and by the line the form has them at.
// A line holds one message: the first stored stays.
class TSTranslationUnit
{
public:
    using Messages = std::map<int, TSMessage>;

    void AddMessageFromTS(std::wstring key, int line, TSMessage message);
    // Copies every message of `other`, filed under `module` instead of its own module.
    void AppendTsTranslationUnit(const TSTranslationUnit &other, const std::wstring &module);

    // Null when the key has no messages.
    const Messages *Find(const std::wstring &key) const;
    bool IsEmpty() const { return m_units.empty(); }

private:
    std::unordered_map<std::wstring, Messages> m_units;
};
