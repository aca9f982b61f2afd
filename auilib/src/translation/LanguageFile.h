#pragma once

#include <rapidxml/rapidxml.hpp>

#include <string>
#include <vector>

// What string tables and Linguist files share; private to the library.
namespace LanguageFile {

// The UTF-8 text of a language file, NUL-terminated for the XML reader:
// unscrambled first when the configuration expects scrambled language files.
// False when the file cannot be read or is not valid UTF-8.
bool Read(const std::wstring &path, std::vector<char> &text);

// The XML reader works on the UTF-8 bytes: its wide-character mode misreads
// characters above U+00FF and would lose real translations. Throws
// rapidxml::parse_error for a malformed document.
void Parse(rapidxml::xml_document<char> &document, std::vector<char> &text);

std::wstring Value(const rapidxml::xml_base<char> *item);

} // namespace LanguageFile
