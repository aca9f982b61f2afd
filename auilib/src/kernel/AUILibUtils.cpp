#include "AUILibUtils.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>
#include <QStringList>
#include <QSysInfo>

#include <rapidxml/rapidxml.hpp>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace AUILibUtils {

double GetScaleFactor()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

AUILib::CheckBoxStates QtChBStateToChBState(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked: return AUILib::CheckBoxChecked;
    case Qt::PartiallyChecked: return AUILib::CheckBoxIndeterminate;
    default: return AUILib::CheckBoxUnchecked;
    }
}

Qt::CheckState ChBStateToQtChBState(AUILib::CheckBoxStates state)
{
    switch (state) {
    case AUILib::CheckBoxChecked: return Qt::Checked;
    case AUILib::CheckBoxIndeterminate: return Qt::PartiallyChecked;
    default: return Qt::Unchecked;
    }
}

QPixmap ScaleBitmap(QPixmap picture, AUILib::ScalePicture mode, QSize size)
{
    if (mode == AUILib::ScalePictureKeepSize)
        return picture;
    if (picture.isNull())
        return QPixmap();
    switch (mode) {
    case AUILib::ScalePictureToWidth: return picture.scaledToWidth(size.width(), Qt::FastTransformation);
    case AUILib::ScalePictureToHeight: return picture.scaledToHeight(size.height(), Qt::FastTransformation);
    case AUILib::ScalePictureToSize: return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    default: return picture;
    }
}

QPixmap SelectIcon(QIcon icon, int requested)
{
    QPixmap best;
    int bestWidth = 0;
    const QList<QSize> sizes = icon.availableSizes(QIcon::Normal, QIcon::Off);
    for (const QSize &size : sizes) {
        if (size.width() == requested)
            return icon.pixmap(QSize(requested, size.height()), QIcon::Normal, QIcon::Off);
        if (bestWidth <= size.width() && size.width() < requested) {
            best = icon.pixmap(size, QIcon::Normal, QIcon::Off);
            bestWidth = size.width();
        }
        // The first size stands in until a narrower one comes.
        if (best.isNull())
            best = icon.pixmap(size, QIcon::Normal, QIcon::Off);
    }
    return best;
}

QString NormalizeQtEnum(const QString &text)
{
    if (text.isEmpty())
        return text;
    QStringList kept;
    QSet<QString> seen;
    const QStringList parts = text.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    for (const QString &part : parts) {
        const QString trimmed = part.trimmed();
        const QStringList pieces = trimmed.split(QStringLiteral("::"), Qt::KeepEmptyParts);
        const QString name = pieces.size() > 2 ? pieces.first() + QStringLiteral("::") + pieces.last() : trimmed;
        if (name.isEmpty() || seen.contains(name))
            continue;
        seen.insert(name);
        kept.append(name);
    }
    return kept.join(QLatin1Char('|'));
}

std::vector<std::wstring> SplitWString(const std::wstring &text, wchar_t delimiter)
{
    std::vector<std::wstring> items;
    std::wistringstream stream(text);
    std::wstring item;
    while (std::getline(stream, item, delimiter))
        items.push_back(item);
    return items;
}

bool IsSystemHighContrastMode()
{
    return false;
}

AUILib::ImageTypes WstrToImageType(std::wstring word)
{
    if (word.empty())
        return AUILib::ImageTypeNone;
    if (word.front() == L'.')
        word.erase(0, 1);
    for (wchar_t &c : word)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (word == L"bmp")
        return AUILib::ImageTypeBMP;
    if (word == L"gif")
        return AUILib::ImageTypeGIF;
    if (word == L"jpg" || word == L"jpeg")
        return AUILib::ImageTypeJPEG;
    if (word == L"png")
        return AUILib::ImageTypePNG;
    if (word == L"ico")
        return AUILib::ImageTypeICO;
    if (word == L"cur")
        return AUILib::ImageTypeCUR;
    return AUILib::ImageTypeNone;
}

std::string ImageTypeToStr(AUILib::ImageTypes type)
{
    switch (type) {
    case AUILib::ImageTypeGIF: return "GIF";
    case AUILib::ImageTypeJPEG: return "JPG";
    case AUILib::ImageTypePNG: return "PNG";
    case AUILib::ImageTypeICO: return "ICO";
    default: return "BMP";
    }
}

namespace {

bool isTrimSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

} // namespace

void Trim(std::wstring &text)
{
    std::size_t first = 0;
    while (first < text.size() && isTrimSpace(text[first]))
        ++first;
    std::size_t last = text.size();
    while (last > first && isTrimSpace(text[last - 1]))
        --last;
    text = text.substr(first, last - first);
}

void CleanCRLFInside(std::wstring &text)
{
    std::wstring result;
    result.reserve(text.size());
    bool inRun = false;
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n') {
            if (!inRun)
                result.push_back(L' ');
            inRun = true;
        } else {
            result.push_back(c);
            inRun = false;
        }
    }
    text.swap(result);
}

AUILib::OsInfo GetOsInfo()
{
    AUILib::OsInfo info;
    const QStringList pieces = QSysInfo::productVersion().split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (pieces.size() > 0)
        info.major = pieces.at(0).toInt(nullptr, 10);
    if (pieces.size() > 1)
        info.minor = pieces.at(1).toInt(nullptr, 10);
    return info;
}

bool IsWindows11(AUILib::OsInfo info)
{
    return info.kind == 1 && info.major == 10 && info.build >= 22000;
}

AUILib::WindowHandle GetHandleFromWndPtr(QWidget *widget)
{
    return widget;
}

QWidget *GetWndPtrFromHandle(AUILib::WindowHandle handle)
{
    return handle;
}

QPoint GetCursorPosition()
{
    return QCursor::pos();
}

Qt::CursorShape GetPlattformCursorType(AUILib::CursorTypes code)
{
    switch (code) {
    case AUILib::CursorWait: return Qt::WaitCursor;
    case AUILib::CursorIBeam: return Qt::IBeamCursor;
    case AUILib::CursorCross: return Qt::CrossCursor;
    case AUILib::CursorUpArrow: return Qt::UpArrowCursor;
    case AUILib::CursorSizeAll: return Qt::SizeAllCursor;
    case AUILib::CursorArrow: return Qt::ArrowCursor;
    case AUILib::CursorSizeFDiag: return Qt::SizeFDiagCursor;
    case AUILib::CursorSizeBDiag: return Qt::SizeBDiagCursor;
    case AUILib::CursorSizeHor: return Qt::SizeHorCursor;
    case AUILib::CursorSizeVer: return Qt::SizeVerCursor;
    case AUILib::CursorMove: return Qt::SizeAllCursor;
    case AUILib::CursorForbidden: return Qt::ForbiddenCursor;
    case AUILib::CursorOpenHand: return Qt::OpenHandCursor;
    default: return Qt::ArrowCursor;
    }
}

namespace {

// A path with a code point past U+10FFFF or a lone surrogate has no UTF-8 form.
bool toUtf8Path(const std::wstring &path, std::string &out)
{
    for (wchar_t c : path) {
        const auto value = static_cast<std::uint32_t>(c);
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
    }
    out = QString::fromStdWString(path).toUtf8().toStdString();
    return true;
}

std::wstring wide(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, static_cast<int>(size)).toStdWString();
}

// The "value" attribute that follows the element's "name" attribute.
bool readNamedValue(const rapidxml::xml_node<char> *element, std::wstring &out)
{
    if (!element)
        return false;
    const rapidxml::xml_attribute<char> *name = element->first_attribute("name");
    if (!name)
        return false;
    for (auto *attribute = name->next_attribute(); attribute; attribute = attribute->next_attribute()) {
        if (std::string(attribute->name(), attribute->name_size()) == "value") {
            out = wide(attribute->value(), attribute->value_size());
            return true;
        }
    }
    return false;
}

} // namespace

bool GetPluginVersionInfo(std::wstring path, AUILib::PluginVersionInfo &out)
{
    std::string utf8Path;
    if (!toUtf8Path(path, utf8Path))
        return false;
    std::ifstream file(utf8Path, std::ios::binary);
    if (!file)
        return false;
    // The text stays UTF-8 for the parser: its wide mode misreads characters
    // above U+00FF. Names and values are widened afterwards.
    std::vector<char> text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return false;
    text.push_back('\0');

    rapidxml::xml_document<char> document;
    try {
        document.parse<rapidxml::parse_default>(text.data());
    } catch (const rapidxml::parse_error &) {
        return false;
    }
    const rapidxml::xml_node<char> *reader = document.first_node("Reader");
    if (!reader)
        return false;

    AUILib::PluginVersionInfo found;
    bool any = false;
    if (const auto *language = reader->first_attribute("language")) {
        found.readerLanguage = wide(language->value(), language->value_size());
        any = true;
    }
    if (const auto *version = reader->first_attribute("version")) {
        found.readerVersion = wide(version->value(), version->value_size());
        any = true;
    }
    if (const rapidxml::xml_node<char> *versionNode = reader->first_node("Version")) {
        any |= readNamedValue(versionNode->first_node("VerDes"), found.description);
        any |= readNamedValue(versionNode->first_node("VerLeg"), found.legal);
    }
    if (!any)
        return false;
    out = found;
    return true;
}

} // namespace AUILibUtils
