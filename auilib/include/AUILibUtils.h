#pragma once

#include "AUITypes.h"
#include "FontData.h"

#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace AUILib {

struct OsInfo
{
    std::int32_t kind = 0;
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
};

// Codes GetPlattformCursorType translates; anything outside 2..14 is the arrow.
enum CursorTypes : std::int32_t {
    CursorWait = 2,
    CursorIBeam = 3,
    CursorCross = 4,
    CursorUpArrow = 5,
    CursorSizeAll = 6,
    CursorArrow = 7,
    CursorSizeFDiag = 8,
    CursorSizeBDiag = 9,
    CursorSizeHor = 10,
    CursorSizeVer = 11,
    CursorMove = 12,
    CursorForbidden = 13,
    CursorOpenHand = 14,
};

struct PluginVersionInfo
{
    std::wstring readerVersion;
    std::wstring readerLanguage;
    std::wstring description;
    std::wstring legal;
};

using WindowHandle = QWidget *;

} // namespace AUILib

// Stateless helpers shared by the toolkit's parts. Names the interface fixes
// (GetPlattformCursorType) keep their spelling; callers use them.
namespace AUILibUtils {

// The primary screen's device pixel ratio; needs a running GUI application.
double GetScaleFactor();

AUILib::CheckBoxStates QtChBStateToChBState(Qt::CheckState state);
Qt::CheckState ChBStateToQtChBState(AUILib::CheckBoxStates state);

QPixmap ScaleBitmap(QPixmap picture, AUILib::ScalePicture mode, QSize size);
// The icon's pixmap of exactly the requested width, else of the widest size
// narrower than it, else of the first size.
QPixmap SelectIcon(QIcon icon, int requested);

// "Qt::AlignLeft | Qt::AlignmentFlag::AlignLeft | Qt::AlignTop" becomes
// "Qt::AlignLeft|Qt::AlignTop": short names, no repeats, no spaces.
QString NormalizeQtEnum(const QString &text);

// Like reading lines up to each delimiter: a trailing delimiter adds no item.
std::vector<std::wstring> SplitWString(const std::wstring &text, wchar_t delimiter);

bool IsSystemHighContrastMode();

AUILib::ImageTypes WstrToImageType(std::wstring word);
// The format word for QPixmap::loadFromData.
std::string ImageTypeToStr(AUILib::ImageTypes type);

// White space is space, tab, CR and LF.
void Trim(std::wstring &text);
// Every run of CR and LF becomes one space.
void CleanCRLFInside(std::wstring &text);

AUILib::OsInfo GetOsInfo();
bool IsWindows11(AUILib::OsInfo info);

// A window handle is the widget pointer itself on this platform.
AUILib::WindowHandle GetHandleFromWndPtr(QWidget *widget);
QWidget *GetWndPtrFromHandle(AUILib::WindowHandle handle);

QPoint GetCursorPosition();
Qt::CursorShape GetPlattformCursorType(AUILib::CursorTypes code);

// Reads the reader's version, language, description and legal texts from a
// plug-in version file. False, leaving `out` untouched, when the file cannot be
// read or parsed or holds none of them.
bool GetPluginVersionInfo(std::wstring path, AUILib::PluginVersionInfo &out);

// The installed font families sorted by face name, without hidden and private
// ones and, with skipListed, without symbol, icon and emoji families. Records
// already in `fonts` stay and are sorted with the new ones.
bool GetSystemFonts(std::vector<AUILib::FontData> &fonts, bool skipListed);

} // namespace AUILibUtils

// Appends one record per accepted family; true when the font database
// reported any family at all.
bool EnumFonts(std::vector<AUILib::FontData> &fonts, bool skipListed);
// Face names by code value, case not folded.
bool compareFontData(AUILib::FontData a, AUILib::FontData b);
