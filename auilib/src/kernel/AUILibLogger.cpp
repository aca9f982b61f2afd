#include "AUILibLogger.h"

#include <QString>
#include <QTextCodec>

namespace {

std::wstring decodeMessage(const char *text)
{
    if (!text)
        return std::wstring();
    const QByteArray bytes(text);
    QTextCodec::ConverterState state;
    const QString decoded = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return QString::fromLatin1(bytes).toStdWString();
    return decoded.toStdWString();
}

} // namespace

AUILibLogger &AUILibLogger::GetInstance()
{
    static AUILibLogger instance;
    return instance;
}

const wchar_t *AUILibLogger::Prefix(ErrorCode code)
{
    switch (code) {
    case Info: return L"Info: ";
    case Warning: return L"Warning: ";
    case Error: return L"Error: ";
    case FatalError: return L"Fatal Error: ";
    case Exception: return L"Exception: ";
    }
    return L"";
}

void AUILibLogger::Log(ErrorCode code, const std::wstring &message)
{
    std::lock_guard<std::mutex> lock(m_lock);
    // A multimap inserts after the equal keys, which keeps logging order.
    m_entries.emplace(code, message + L'\n');
}

void AUILibLogger::LogInfo(const std::wstring &message) { Log(Info, message); }
void AUILibLogger::LogWarning(const std::wstring &message) { Log(Warning, message); }
void AUILibLogger::LogError(const std::wstring &message) { Log(Error, message); }
void AUILibLogger::LogFatalError(const std::wstring &message) { Log(FatalError, message); }
void AUILibLogger::LogException(const std::wstring &message) { Log(Exception, message); }

void AUILibLogger::LogException(const std::exception &error)
{
    Log(Exception, decodeMessage(error.what()));
}

void AUILibLogger::WriteLog(std::wostream &stream)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto &entry : m_entries)
        stream << Prefix(entry.first) << entry.second;
}

void AUILibLogger::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_entries.clear();
}

std::size_t AUILibLogger::GetLogCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_entries.size();
}
