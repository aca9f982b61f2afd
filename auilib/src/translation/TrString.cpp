#include "TrString.h"

#include "Translator.h"

namespace AUILib {

TrString::TrString(const std::wstring &module, const std::wstring &id, const std::wstring &fallback)
    : m_text(Translator::GetInstance().GetText(module, id)), m_fallback(fallback)
{
    if (m_text.empty())
        m_text = Translator::GetInstance().GetDefaultText(module, id);
}

TrString::operator std::wstring() const
{
    return m_text.empty() ? m_fallback : m_text;
}

} // namespace AUILib
