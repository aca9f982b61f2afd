#pragma once

#include <string>

// The toolkit's locale record: a locale name ("de-DE.UTF-8") and its language
// part ("de-DE"). Made from the environment's locale on first use; the
// configuration takes its language as the initial current language.
class I18N
{
public:
    static I18N &GetInstance();

    // Both always succeed.
    bool SetLocale(const std::wstring &locale);
    bool ChangeLanguage(const std::wstring &language, const std::wstring &encoding);
    // Derives the language again from the stored locale.
    void Update();

    const std::wstring &GetLocale() const { return m_locale; }
    const std::wstring &GetLanguage() const { return m_language; }

    I18N(const I18N &) = delete;
    I18N &operator=(const I18N &) = delete;

private:
    I18N();

    std::wstring m_locale;
    std::wstring m_language;
};
