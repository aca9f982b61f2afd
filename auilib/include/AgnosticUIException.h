#pragma once

#include <exception>
#include <string>

namespace AUILib {

// The one exception the toolkit throws: a control whose Qt widget is gone, or a
// form that cannot be built. The toolkit never catches it; its callers do.
class AgnosticUIException : public std::exception
{
public:
    // With an empty source file what() is the message alone; otherwise it reads
    // `file: line "message` (callers match that text, so no closing quote).
    AgnosticUIException(const char *sourceFile, int line, const char *message);

    const char *what() const noexcept override;

private:
    std::string m_sourceFile;
    std::string m_text;
    int m_line = 0;
};

// The message every widget-bound operation throws once its widget has been deleted.
constexpr const char *kControlNotValid = "Control is not valid.";

[[noreturn]] void ThrowControlNotValid();

} // namespace AUILib
