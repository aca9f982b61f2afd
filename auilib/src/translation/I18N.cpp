#include "I18N.h"

#include <cstdlib>

namespace {

const wchar_t kDefaultLanguage[] = L"en-US";

// The locale of messages, as POSIX orders the variables: LC_ALL, then
// LC_MESSAGES, then LANG, the first one set and not empty. Read from the
// environment itself: the standard library's name of the whole locale is
// "LC_CTYPE=...;LC_NUMERIC=..." as soon as two categories differ, and it
// refuses a locale the system has not compiled, though the toolkit's own
// language files need neither.
std::string messagesLocaleName()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return std::string();
}

// The portable locales name no language: "C", "POSIX", "C.UTF-8".
bool namesNoLanguage(const std::wstring &locale)
{
    const std::wstring base = locale.substr(0, locale.find(L'.'));
    return base.empty() || base == L"C" || base == L"POSIX";
}

} // namespace

I18N &I18N::GetInstance()
{
    static I18N instance;
    return instance;
}

I18N::I18N()
{
    const std::string name = messagesLocaleName();
    // Locale names are ASCII; widened byte by byte.
    m_locale.assign(name.begin(), name.end());
    if (namesNoLanguage(m_locale)) {
        m_language = kDefaultLanguage;
        return;
    }
    Update();
    // A modifier ("de_DE@euro") is no part of the language.
    m_language = m_language.substr(0, m_language.find(L'@'));
}

bool I18N::SetLocale(const std::wstring &locale)
{
    m_locale = locale;
    Update();
    return true;
}

bool I18N::ChangeLanguage(const std::wstring &language, const std::wstring &encoding)
{
    m_locale = language + L"." + encoding;
    Update();
    return true;
}

void I18N::Update()
{
    m_language = m_locale.substr(0, m_locale.find(L'.'));
}
