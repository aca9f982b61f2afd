#include "I18N.h"

#include <locale>
#include <stdexcept>

namespace {

const wchar_t kDefaultLanguage[] = L"en-US";

// The name of the locale the process's locale variables select; empty when the
// standard library refuses them (a locale that is not installed, say), which
// then reads like no locale at all instead of ending the toolkit's start.
std::string environmentLocaleName()
{
    try {
        return std::locale("").name();
    } catch (const std::runtime_error &) {
        return std::string();
    }
}

} // namespace

I18N &I18N::GetInstance()
{
    static I18N instance;
    return instance;
}

I18N::I18N()
{
    const std::string name = environmentLocaleName();
    // Locale names are ASCII; widened byte by byte.
    m_locale.assign(name.begin(), name.end());
    if (!m_locale.empty() && m_locale != L"C")
        Update();
    else
        m_language = kDefaultLanguage;
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
