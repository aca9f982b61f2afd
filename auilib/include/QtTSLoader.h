#pragma once

#include "TSTranslationUnit.h"

#include <optional>
#include <string>

namespace rapidxml {
template <class Ch> class xml_document;
}

// Reads a Qt Linguist file (plain or scrambled, as the configuration expects)
// into a translation unit keyed by module and form file name. Only a file in
// the current language counts; a missing, malformed or foreign one gives
// nothing, and so does one with a "line" that is not a number.
class QtTSLoader
{
public:
    static std::optional<TSTranslationUnit> LoadTranslationUnit(const std::wstring &path, const std::wstring &module);
    static std::optional<TSTranslationUnit> ParseDoc(const rapidxml::xml_document<char> &document,
                                                     const std::wstring &module);
};
