#pragma once

#include "AUITypes.h"
#include "SkinManager.h"
#include "logFont.h"

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace AUILib {

// The toolkit's process-wide settings, made on first use of almost any of the
// functions below and kept until the process exits. Making it fills the control
// factory and sets Qt's default locale to "en-US".
class AUILibConfig
{
public:
    AUILibConfig();
    ~AUILibConfig();

    AUILibConfig(const AUILibConfig &) = delete;
    AUILibConfig &operator=(const AUILibConfig &) = delete;

    // The only place the control factory is filled.
    static void RegisterAUILibControls();

    std::wstring workingDirPath;
    std::wstring currentLanguage;
    std::shared_ptr<logFont> font;
    char decimalChar = '.';
    bool layoutRTL = false;
    ReadingDirection readingDirection = ReadingDirectionLeftToRight;
    SkinManager globalSkinManager{SkinModeDefault};
    SkinManager xmlSkinManager{SkinModeDefault};
    bool encryptedLanguageFiles = true;
    // Combo box, check box, edit, context menu.
    int radii[4] = {0, 0, 0, 10};
};

// The working directory ends with a separator unless set otherwise; the paths
// below append '/' separated parts to it. A language code's first '_' becomes '-'.
void SetWorkingDirPath(const std::wstring &path);
std::wstring GetWorkingDirPath();
// <working>lang/<language>/, of "en-US" when useDefault is set.
std::wstring GetTranslationDirPath(bool useDefault);
// The Linguist file of a module in the current language: <dir>[module_]<language>.ts[.ob]
std::wstring GetTranslationFilePath(const std::wstring &module);
// <dir>[module_]strings_<language>.xml[.ob]
std::wstring GetStringsFilePath(const std::wstring &module, bool useDefault);
// <working>auiresources/[sub/]ui/
std::wstring GetUiDirPath(const std::wstring &sub);
// <working>auiresources/[sub/]img/
std::wstring GetImageDirPath(const std::wstring &sub);

std::wstring GetCurrentLanguage();
std::wstring GetDefaultLanguage();
// Moves Qt's default locale, the decimal character, the reading direction and
// the locale record to the language, and makes the translator read its texts
// again. Asking for the current language changes nothing at all.
void SetCurrentLanguage(const std::wstring &language, bool encryptedFiles);
bool ExpectsEncryptedLanguageFiles();

void SetReadingDirection(ReadingDirection direction);
ReadingDirection GetReadingDirection();
void SetForcedDecimalChar(char decimal);
char GetDecimalChar();
void SetLayoutRTL(bool rtl);
bool GetLayoutRTL();

bool SetGlobalSkinMode(SkinMode mode);
SkinMode GetGlobalSkinMode();
bool SetGlobalCustomSkin(const SkinManager &skin);
SkinManager *GetGlobalSkinManager();
SkinManager *GetXMLSkinManager();
void InitSkinColorByMap(SkinMap map, const std::map<std::wstring, unsigned int> &colours);

// Shares the one record: changes through it are seen by every later caller.
std::shared_ptr<logFont> GetFontInfo();

// Negative radii are ignored.
void SetComboboxRadius(int radius);
void SetCheckboxRadius(int radius);
void SetEditRadius(int radius);
void SetContextMenuRadius(int radius);
int GetComboboxRadius();
int GetCheckboxRadius();
int GetEditRadius();
int GetContextMenuRadius();

// Writes the whole toolkit log as UTF-8 and closes the stream; a stream that is
// not good or not open gets nothing, and nothing is thrown.
void WriteLogToFile(std::wofstream &stream);
// Creates or truncates the file.
void WriteLogToFile(const std::string &path);
// Throws std::range_error for a path that is not valid Unicode.
void WriteLogToFile(const std::wstring &path);

// Throws std::range_error for a character above U+10FFFF or in U+D800..U+DFFF.
std::string WStringToUtf8(const std::wstring &text);

} // namespace AUILib
