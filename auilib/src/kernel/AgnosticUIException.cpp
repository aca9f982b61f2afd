#include "AgnosticUIException.h"

namespace AUILib {

AgnosticUIException::AgnosticUIException(const char *sourceFile, int line, const char *message)
    : m_sourceFile(sourceFile ? sourceFile : "")
    , m_line(line)
{
    const std::string text = message ? message : "";
    if (m_sourceFile.empty())
        m_text = text;
    else
        m_text = m_sourceFile + ": " + std::to_string(m_line) + " \"" + text;
}

const char *AgnosticUIException::what() const noexcept
{
    return m_text.c_str();
}

void ThrowControlNotValid()
{
    throw AgnosticUIException("", 0, kControlNotValid);
}

} // namespace AUILib
