#include "CSetup_CommandLine.h"

namespace {

const char *const kValueSwitchNames[] = {
    "hwnd", "type", "readerpath", "regpath", "version", "readerlang", "specialName",
    "OzipPath", "InternalUpdateURL", "RollBackURL", "UserEmail", "SessionID",
    "userhanderdata", "certeutlurl", "oatlfile", "eutlfile", "certoatlurl", "downtype",
    "PackageType", "UpdateMode", "Edition"};

} // namespace

QString JoinCommandArguments(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

QString JoinCommandArgumentsForParse(const QStringList &arguments)
{
    QStringList words;
    words.reserve(arguments.size());
    for (const QString &argument : arguments) {
        const bool hasBlank = argument.contains(QLatin1Char(' ')) || argument.contains(QLatin1Char('\t'));
        if (hasBlank && !argument.contains(QLatin1Char('"')))
            words.append(QLatin1Char('"') + argument + QLatin1Char('"'));
        else
            words.append(argument);
    }
    return words.join(QLatin1Char(' '));
}

CSetup_CommandLine::CSetup_CommandLine() = default;
CSetup_CommandLine::~CSetup_CommandLine() = default;

bool CSetup_CommandLine::ProcessCmdLine(const QString &command)
{
    QString word;
    bool inQuotes = false;
    for (const QChar ch : command) {
        if (inQuotes) {
            if (ch == QLatin1Char('"')) {
                inQuotes = false;
                if (!ProcessCmdWord(word))
                    return false;
                word.clear();
            } else {
                word.append(ch);
            }
            continue;
        }
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t')) {
            if (!word.isEmpty()) {
                if (!ProcessCmdWord(word))
                    return false;
                word.clear();
            }
        } else if (ch == QLatin1Char('"')) {
            // Text gathered since the last separator is dropped: ab"cd" is the word cd.
            inQuotes = true;
            word.clear();
        } else {
            word.append(ch);
        }
    }
    return ProcessCmdWord(word);
}

bool CSetup_CommandLine::applySwitch(const QString &name)
{
    if (name == QLatin1String("updater")) {
        m_bUpdater = true;
        m_bInstall = false;
        return true;
    }
    if (name == QLatin1String("run")) {
        m_bRun = true;
        return true;
    }
    if (name == QLatin1String("insForceUpdate")) {
        m_bInsForceUpdate = true;
        return true;
    }
    if (name == QLatin1String("install")) {
        if (!m_bUpdater)
            m_bInstall = true;
        return true;
    }
    if (name == QLatin1String("bInternalService")) {
        m_bInternalService = true;
        return true;
    }
    for (int i = 0; i < VsCount; ++i) {
        if (i == VsType && !m_bUpdater)
            continue;
        if (name == QLatin1String(kValueSwitchNames[i])) {
            m_bPending[i] = true;
            return true;
        }
    }
    return false;
}

bool CSetup_CommandLine::ProcessCmdWord(QString &word)
{
    if (word.isEmpty())
        return true;

    if (word.startsWith(QLatin1Char('-')) || word.startsWith(QLatin1Char('/'))) {
        if (word.size() == 1)
            return false;
        if (applySwitch(word.mid(1)))
            return true;
        // No switch of that name: the word is an ordinary value, first character included.
    }

    for (int i = 0; i < VsCount; ++i) {
        if (!m_bPending[i] || (i == VsType && !m_bUpdater))
            continue;
        m_bPending[i] = false;
        storeValue(static_cast<ValueSwitch>(i), word);
        return true;
    }
    return false;
}

void CSetup_CommandLine::storeValue(ValueSwitch which, const QString &value)
{
    const std::string text = value.toStdString();
    switch (which) {
    case VsHwnd:
    case VsUserHanderData:
        break; // read and dropped
    case VsType:
        if (m_bUpdater)
            m_strUpdaterType = text;
        break;
    case VsReaderPath: m_strReaderPath = text; break;
    case VsRegPath: m_strRegPath = text; break;
    case VsVersion: m_strReaderVersion = text; break;
    case VsReaderLang: m_strReaderLang = text; break;
    case VsSpecialName: m_strSpecialName = text; break;
    case VsOzipPath: Split(value, QStringLiteral("|")); break;
    case VsInternalUpdateURL: m_strInternalUpdateURL = text; break;
    case VsRollBackURL: m_strRollBackURL = text; break;
    case VsUserEmail: m_strUserEmail = text; break;
    case VsSessionID: m_strSessionID = text; break;
    case VsCertEutlUrl: m_qsEutlCertUrl = value; break;
    case VsOatlFile: m_qsOatlFile = value; break;
    case VsEutlFile: m_qsEutlFile = value; break;
    case VsCertOatlUrl: m_qsOatlCertUrl = value; break;
    case VsDownType: m_qsDownType = value; break;
    case VsPackageType: m_strPackageType = text; break;
    case VsUpdateMode:
        if (text == "0" || text == "1" || text == "2")
            m_strAutoUpdateMode = text;
        break;
    case VsEdition: m_strEdition = text; break;
    case VsCount: break;
    }
}

void CSetup_CommandLine::Split(const QString &value, const QString &separator)
{
    const int firstSemicolon = value.indexOf(QLatin1Char(';'));
    const QString list = firstSemicolon < 0 ? value : value.left(firstSemicolon);

    if (firstSemicolon >= 0 && firstSemicolon + 1 < value.size()) {
        m_bRollBackRun = true;
        const QString rest = value.mid(firstSemicolon + 1);
        const int end1 = rest.indexOf(QLatin1Char(';'));
        if (end1 >= 0) {
            m_strRollBackURL = rest.left(end1).toStdString();
            const QString rest2 = rest.mid(end1 + 1);
            const int end2 = rest2.indexOf(QLatin1Char(';'));
            if (end2 >= 0) {
                m_strUserEmail = rest2.left(end2).toStdString();
                m_strOzipPathField4 = rest2.mid(end2 + 1).toStdString();
            }
        }
    }

    m_vecOzipPath.clear();
    const QStringList pieces = list.split(separator, Qt::SkipEmptyParts);
    for (const QString &piece : pieces)
        m_vecOzipPath.push_back(piece.toStdString());
}
