#pragma once

#include <cstddef>
#include <exception>
#include <map>
#include <mutex>
#include <ostream>
#include <string>

// The toolkit's in-memory log: messages collected by severity and written out on
// request, each line led by its severity's prefix. Any thread may log.
class AUILibLogger
{
public:
    enum ErrorCode : int { Info = 0, Warning = 1, Error = 2, FatalError = 3, Exception = 4 };

    static AUILibLogger &GetInstance();

    // Always adds an entry, after the earlier ones of the same severity.
    void Log(ErrorCode code, const std::wstring &message);
    void LogInfo(const std::wstring &message);
    void LogWarning(const std::wstring &message);
    void LogError(const std::wstring &message);
    void LogFatalError(const std::wstring &message);
    void LogException(const std::wstring &message);
    // what() is read as UTF-8; bytes that are not UTF-8 are taken as Latin-1.
    void LogException(const std::exception &error);

    // In ascending severity, each severity in logging order. Removes nothing.
    void WriteLog(std::wostream &stream);
    void Clear();
    std::size_t GetLogCount();

    static const wchar_t *Prefix(ErrorCode code);

    AUILibLogger(const AUILibLogger &) = delete;
    AUILibLogger &operator=(const AUILibLogger &) = delete;

private:
    AUILibLogger() = default;

    std::multimap<ErrorCode, std::wstring> m_entries;
    std::mutex m_lock;
};
