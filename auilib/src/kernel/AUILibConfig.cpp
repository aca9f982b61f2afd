#include "AUILibConfig.h"

#include "AUILibLogger.h"
#include "I18N.h"
#include "Translator.h"

#include <QCoreApplication>
#include <QtGui/qtguiglobal.h>
#include <QLocale>
#include <QString>

#include <codecvt>
#include <locale>
#include <stdexcept>

// Qt's switch for the mnemonics of key sequences ("&File"), off by default on
// the Mac; not in Qt's public headers.
Q_GUI_EXPORT void qt_set_sequence_auto_mnemonic(bool enable);

namespace AUILib {

namespace {

const wchar_t kDefaultLanguage[] = L"en-US";

// Released at process exit.
std::unique_ptr<AUILibConfig> g_config;

AUILibConfig &config()
{
    if (!g_config)
        g_config = std::make_unique<AUILibConfig>();
    return *g_config;
}

// A language code in the form of the file names: its first '_' becomes '-'.
std::wstring fileLanguage(std::wstring language)
{
    const std::size_t underscore = language.find(L'_');
    if (underscore != std::wstring::npos)
        language[underscore] = L'-';
    return language;
}

std::wstring modulePrefix(const std::wstring &module)
{
    return module.empty() ? std::wstring() : module + L"_";
}

std::wstring scrambledSuffix()
{
    return config().encryptedLanguageFiles ? L".ob" : L"";
}

bool usesDecimalComma(const std::wstring &language)
{
    static const wchar_t *const kCommaLanguages[] = {L"es-419", L"pt-BR", L"nl-NL", L"pl-PL", L"de-DE", L"fr-FR",
                                                     L"ru-RU",  L"da-DK", L"fi-FI", L"sv-SE", L"nb-NO", L"it-IT"};
    for (const wchar_t *comma : kCommaLanguages) {
        if (language == comma)
            return true;
    }
    return false;
}

void setRadius(int index, int radius)
{
    if (radius >= 0)
        config().radii[index] = radius;
}

} // namespace

AUILibConfig::AUILibConfig()
{
    RegisterAUILibControls();
    const std::wstring appDir = QCoreApplication::applicationDirPath().toStdWString();
    const wchar_t separator = appDir.find(L'/') != std::wstring::npos ? L'/' : L'\\';
    workingDirPath = appDir;
    QLocale::setDefault(QLocale(QStringLiteral("en-US")));
    qt_set_sequence_auto_mnemonic(true);
    workingDirPath += separator;
    currentLanguage = I18N::GetInstance().GetLanguage();
    font = std::make_shared<logFont>();
    font->height = 90;
    font->faceName = L"Tahoma";
}

AUILibConfig::~AUILibConfig() = default;

void SetWorkingDirPath(const std::wstring &path) { config().workingDirPath = path; }
std::wstring GetWorkingDirPath() { return config().workingDirPath; }

std::wstring GetTranslationDirPath(bool useDefault)
{
    const std::wstring language = useDefault ? std::wstring(kDefaultLanguage) : config().currentLanguage;
    return config().workingDirPath + L"lang/" + fileLanguage(language) + L"/";
}

std::wstring GetTranslationFilePath(const std::wstring &module)
{
    const std::wstring language = fileLanguage(config().currentLanguage);
    return GetTranslationDirPath(false) + modulePrefix(module) + language + L".ts" + scrambledSuffix();
}

std::wstring GetStringsFilePath(const std::wstring &module, bool useDefault)
{
    const std::wstring language = fileLanguage(useDefault ? std::wstring(kDefaultLanguage) : config().currentLanguage);
    return GetTranslationDirPath(useDefault) + modulePrefix(module) + L"strings_" + language + L".xml" +
           scrambledSuffix();
}

std::wstring GetUiDirPath(const std::wstring &sub)
{
    return config().workingDirPath + L"auiresources/" + (sub.empty() ? L"" : sub + L"/") + L"ui/";
}

std::wstring GetImageDirPath(const std::wstring &sub)
{
    return config().workingDirPath + L"auiresources/" + (sub.empty() ? L"" : sub + L"/") + L"img/";
}

std::wstring GetCurrentLanguage() { return config().currentLanguage; }
std::wstring GetDefaultLanguage() { return kDefaultLanguage; }

void SetCurrentLanguage(const std::wstring &language, bool encryptedFiles)
{
    AUILibConfig &settings = config();
    if (language == settings.currentLanguage)
        return;
    settings.currentLanguage = language;
    // Qt knows no Latin American Spanish region; both take plain Spanish.
    if (language == L"es-419" || language == L"es-MX")
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::AnyCountry));
    else
        QLocale::setDefault(QLocale(QString::fromStdWString(language)));
    settings.decimalChar = usesDecimalComma(language) ? ',' : '.';
    settings.encryptedLanguageFiles = encryptedFiles;
    I18N::GetInstance().ChangeLanguage(language, L"UTF-8");
    settings.readingDirection = language == L"ar-SA" ? ReadingDirectionRightToLeft : ReadingDirectionLeftToRight;
    Translator::GetInstance().ResetStringsTable();
}

bool ExpectsEncryptedLanguageFiles() { return config().encryptedLanguageFiles; }

void SetReadingDirection(ReadingDirection direction) { config().readingDirection = direction; }
ReadingDirection GetReadingDirection() { return config().readingDirection; }
void SetForcedDecimalChar(char decimal) { config().decimalChar = decimal; }
char GetDecimalChar() { return config().decimalChar; }
void SetLayoutRTL(bool rtl) { config().layoutRTL = rtl; }
bool GetLayoutRTL() { return config().layoutRTL; }

bool SetGlobalSkinMode(SkinMode mode) { return config().globalSkinManager.LoadSkin(mode, true, false); }
SkinMode GetGlobalSkinMode() { return config().globalSkinManager.GetSkinMode(); }
bool SetGlobalCustomSkin(const SkinManager &skin) { return config().globalSkinManager.SetCustomSkin(skin); }
SkinManager *GetGlobalSkinManager() { return &config().globalSkinManager; }
SkinManager *GetXMLSkinManager() { return &config().xmlSkinManager; }

void InitSkinColorByMap(SkinMap map, const std::map<std::wstring, unsigned int> &colours)
{
    config().xmlSkinManager.InitSkinColorByMap(map, colours);
}

std::shared_ptr<logFont> GetFontInfo() { return config().font; }

void SetComboboxRadius(int radius) { setRadius(0, radius); }
void SetCheckboxRadius(int radius) { setRadius(1, radius); }
void SetEditRadius(int radius) { setRadius(2, radius); }
void SetContextMenuRadius(int radius) { setRadius(3, radius); }
int GetComboboxRadius() { return config().radii[0]; }
int GetCheckboxRadius() { return config().radii[1]; }
int GetEditRadius() { return config().radii[2]; }
int GetContextMenuRadius() { return config().radii[3]; }

void WriteLogToFile(std::wofstream &stream)
{
    if (!stream.good() || !stream.is_open())
        return;
    // The stream's own locale would be the C locale, in which the first
    // character outside ASCII fails the stream and leaves the file empty.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    stream.imbue(std::locale(stream.getloc(), new std::codecvt_utf8<wchar_t>));
#pragma GCC diagnostic pop
    AUILibLogger::GetInstance().WriteLog(stream);
    stream.close();
}

void WriteLogToFile(const std::string &path)
{
    std::wofstream stream(path, std::ios::out | std::ios::trunc);
    WriteLogToFile(stream);
}

void WriteLogToFile(const std::wstring &path) { WriteLogToFile(WStringToUtf8(path)); }

std::string WStringToUtf8(const std::wstring &text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t character : text) {
        const auto code = static_cast<std::uint32_t>(character);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            throw std::range_error("WStringToUtf8: not a Unicode code point");
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

} // namespace AUILib
