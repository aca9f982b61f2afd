#pragma once

#include <string>

namespace AUILib {

// A translatable text, resolved once when made: the module's text in the
// current language, else in the default language, else the fallback. A later
// change of language does not change it; make a new one to follow it.
class TrString
{
public:
    TrString(const std::wstring &module, const std::wstring &id, const std::wstring &fallback);

    operator std::wstring() const;

private:
    std::wstring m_text;
    std::wstring m_fallback;
};

} // namespace AUILib
