#include "AUILibUtils.h"

#include "Sandbox.h"

#include <QFile>
#include <QSysInfo>
#include <QWidget>

#include <gtest/gtest.h>

using namespace AUILibUtils;

TEST(AUILibUtils, CheckStatesMapBothWays)
{
    EXPECT_EQ(ChBStateToQtChBState(AUILib::CheckBoxChecked), Qt::Checked);
    EXPECT_EQ(ChBStateToQtChBState(AUILib::CheckBoxIndeterminate), Qt::PartiallyChecked);
    EXPECT_EQ(ChBStateToQtChBState(AUILib::CheckBoxUnchecked), Qt::Unchecked);
    EXPECT_EQ(ChBStateToQtChBState(static_cast<AUILib::CheckBoxStates>(5)), Qt::Unchecked);
    EXPECT_EQ(QtChBStateToChBState(Qt::Checked), AUILib::CheckBoxChecked);
    EXPECT_EQ(QtChBStateToChBState(Qt::PartiallyChecked), AUILib::CheckBoxIndeterminate);
    EXPECT_EQ(QtChBStateToChBState(Qt::Unchecked), AUILib::CheckBoxUnchecked);
    EXPECT_EQ(QtChBStateToChBState(static_cast<Qt::CheckState>(3)), AUILib::CheckBoxUnchecked);
}

TEST(AUILibUtils, ScaleBitmapByMode)
{
    QPixmap picture(40, 20);
    picture.fill(Qt::blue);
    const QSize size(20, 10);
    EXPECT_EQ(ScaleBitmap(picture, AUILib::ScalePictureKeepSize, size).size(), QSize(40, 20));
    EXPECT_EQ(ScaleBitmap(picture, AUILib::ScalePictureToWidth, QSize(10, 99)).size(), QSize(10, 5));
    EXPECT_EQ(ScaleBitmap(picture, AUILib::ScalePictureToHeight, QSize(99, 10)).size(), QSize(20, 10));
    EXPECT_EQ(ScaleBitmap(picture, AUILib::ScalePictureToSize, QSize(20, 30)).size(), QSize(20, 30));
    EXPECT_EQ(ScaleBitmap(picture, static_cast<AUILib::ScalePicture>(0), size).size(), QSize(40, 20));
    EXPECT_EQ(ScaleBitmap(picture, static_cast<AUILib::ScalePicture>(9), size).size(), QSize(40, 20));
    for (int mode : {0, 1, 2, 3, 4, 7})
        EXPECT_TRUE(ScaleBitmap(QPixmap(), static_cast<AUILib::ScalePicture>(mode), size).isNull()) << mode;
}

TEST(AUILibUtils, SelectIconPrefersExactThenWidestNarrowerThenFirst)
{
    auto iconOf = [](std::initializer_list<int> widths) {
        QIcon icon;
        for (int w : widths) {
            QPixmap pixmap(w, w);
            pixmap.fill(Qt::red);
            icon.addPixmap(pixmap);
        }
        return icon;
    };
    const struct
    {
        std::initializer_list<int> sizes;
        int requested;
        int width;
    } cases[] = {
        {{16, 32, 48}, 32, 32}, {{16, 32, 48}, 40, 32}, {{16, 32, 48}, 8, 16},
        {{48, 64}, 40, 48},     {{48, 16, 32}, 40, 32}, {{64, 16, 16}, 20, 16},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SelectIcon(iconOf(c.sizes), c.requested).width(), c.width) << c.requested;
    EXPECT_TRUE(SelectIcon(QIcon(), 16).isNull());
}

TEST(AUILibUtils, NormalizeQtEnum)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Qt::AlignLeft | Qt::AlignmentFlag::AlignLeft | Qt::AlignTop", "Qt::AlignLeft|Qt::AlignTop"},
        {"QFrame::Shape::HLine", "QFrame::HLine"},
        {"A||B", "A|B"},
        {"Qt::Vertical", "Qt::Vertical"},
        {"", ""},
        {" | ", ""},
        {"B|A|B", "B|A"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NormalizeQtEnum(QString::fromLatin1(c.first)), QString::fromLatin1(c.second)) << c.first;
}

TEST(AUILibUtils, SplitWString)
{
    using Items = std::vector<std::wstring>;
    EXPECT_EQ(SplitWString(L"a,,b", L','), (Items{L"a", L"", L"b"}));
    EXPECT_EQ(SplitWString(L"a,", L','), (Items{L"a"}));
    EXPECT_EQ(SplitWString(L",a", L','), (Items{L"", L"a"}));
    EXPECT_EQ(SplitWString(L"", L','), Items{});
    EXPECT_EQ(SplitWString(L"\u4e2d;\u6587", L';'), (Items{L"\u4e2d", L"\u6587"}));
}

TEST(AUILibUtils, ImageTypeWords)
{
    const std::pair<std::wstring, AUILib::ImageTypes> words[] = {
        {L".PNG", AUILib::ImageTypePNG}, {L"JPEG", AUILib::ImageTypeJPEG}, {L"jpg", AUILib::ImageTypeJPEG},
        {L"Bmp", AUILib::ImageTypeBMP},  {L"gif", AUILib::ImageTypeGIF},   {L".ico", AUILib::ImageTypeICO},
        {L"CUR", AUILib::ImageTypeCUR},  {L".", AUILib::ImageTypeNone},    {L"tif", AUILib::ImageTypeNone},
        {L"", AUILib::ImageTypeNone},    {L"..png", AUILib::ImageTypeNone},
        // A capital beyond Latin-1 must not fold onto an ASCII letter.
        {L"\u0150NG", AUILib::ImageTypeNone},
    };
    for (const auto &w : words)
        EXPECT_EQ(WstrToImageType(w.first), w.second);
    EXPECT_EQ(ImageTypeToStr(AUILib::ImageTypeGIF), "GIF");
    EXPECT_EQ(ImageTypeToStr(AUILib::ImageTypeJPEG), "JPG");
    EXPECT_EQ(ImageTypeToStr(AUILib::ImageTypePNG), "PNG");
    EXPECT_EQ(ImageTypeToStr(AUILib::ImageTypeICO), "ICO");
    for (int other : {0, 1, 5, 7, 42})
        EXPECT_EQ(ImageTypeToStr(static_cast<AUILib::ImageTypes>(other)), "BMP") << other;
}

TEST(AUILibUtils, TrimAndCleanLineBreaks)
{
    const std::pair<std::wstring, std::wstring> trims[] = {
        {L"  \tx y \r\n", L"x y"}, {L"", L""}, {L" \t\r\n", L""}, {L"a", L"a"}, {L"\u00a0a\u00a0", L"\u00a0a\u00a0"},
    };
    for (const auto &t : trims) {
        std::wstring text = t.first;
        Trim(text);
        EXPECT_EQ(text, t.second);
    }
    const std::pair<std::wstring, std::wstring> cleans[] = {
        {L"a\r\nb\n\nc", L"a b c"}, {L"\nabc\r", L" abc "}, {L"", L""}, {L"\r\n\r\n", L" "},
    };
    for (const auto &c : cleans) {
        std::wstring text = c.first;
        CleanCRLFInside(text);
        EXPECT_EQ(text, c.second);
    }
}

TEST(AUILibUtils, SystemFacts)
{
    const AUILib::OsInfo info = GetOsInfo();
    const QStringList version = QSysInfo::productVersion().split('.');
    EXPECT_EQ(info.kind, 0);
    EXPECT_EQ(info.build, 0);
    EXPECT_EQ(info.major, version.value(0).toInt());
    EXPECT_EQ(info.minor, version.value(1).toInt());
    EXPECT_FALSE(IsWindows11(info));
    EXPECT_TRUE(IsWindows11(AUILib::OsInfo{1, 10, 0, 22000}));
    EXPECT_FALSE(IsWindows11(AUILib::OsInfo{1, 10, 0, 21999}));
    EXPECT_FALSE(IsSystemHighContrastMode());
    EXPECT_GT(GetScaleFactor(), 0.0);

    QWidget widget;
    EXPECT_EQ(GetWndPtrFromHandle(GetHandleFromWndPtr(&widget)), &widget);
}

TEST(AUILibUtils, CursorTypes)
{
    const std::pair<int, Qt::CursorShape> cases[] = {
        {2, Qt::WaitCursor},      {3, Qt::IBeamCursor},     {4, Qt::CrossCursor},      {5, Qt::UpArrowCursor},
        {6, Qt::SizeAllCursor},   {7, Qt::ArrowCursor},     {8, Qt::SizeFDiagCursor},  {9, Qt::SizeBDiagCursor},
        {10, Qt::SizeHorCursor},  {11, Qt::SizeVerCursor},  {12, Qt::SizeAllCursor},   {13, Qt::ForbiddenCursor},
        {14, Qt::OpenHandCursor}, {15, Qt::ArrowCursor},    {1, Qt::ArrowCursor},      {-4, Qt::ArrowCursor},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetPlattformCursorType(static_cast<AUILib::CursorTypes>(c.first)), c.second) << c.first;
}

class PluginVersionInfoTest : public ::testing::Test
{
protected:
    std::wstring write(const QString &name, const QByteArray &content)
    {
        const QString path = sandbox.base() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path.toStdWString();
    }

    Sandbox sandbox;
    AUILib::PluginVersionInfo out{L"v", L"l", L"d", L"g"};
};

TEST_F(PluginVersionInfoTest, ReadsTheReaderElement)
{
    const std::wstring path = write("\u00e9t\u00e9 version.xml",
                                    "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                    "<Reader version=\"12.1.0\" language=\"ja-JP\">\n"
                                    "  <Version>\n"
                                    "    <VerDes value=\"ignored\" name=\"d\" value=\"\xe8\xaa\xac\xe6\x98\x8e &#x4e2d;\"/>\n"
                                    "    <VerLeg name=\"l\" other=\"x\" value=\"\xc2\xa9 Orbel\"/>\n"
                                    "  </Version>\n"
                                    "</Reader>\n");
    ASSERT_TRUE(GetPluginVersionInfo(path, out));
    EXPECT_EQ(out.readerVersion, L"12.1.0");
    EXPECT_EQ(out.readerLanguage, L"ja-JP");
    EXPECT_EQ(out.description, L"\u8aac\u660e \u4e2d");
    EXPECT_EQ(out.legal, L"\u00a9 Orbel");
}

TEST_F(PluginVersionInfoTest, MissingValuesBecomeEmpty)
{
    const std::wstring path = write("plain.xml", "<Reader version=\"1.0\" language=\"en-US\"/>");
    ASSERT_TRUE(GetPluginVersionInfo(path, out));
    EXPECT_EQ(out.readerVersion, L"1.0");
    EXPECT_EQ(out.readerLanguage, L"en-US");
    EXPECT_EQ(out.description, L"");
    EXPECT_EQ(out.legal, L"");
}

TEST_F(PluginVersionInfoTest, FailuresLeaveTheRecordUntouched)
{
    const std::wstring cases[] = {
        (QString(sandbox.base()) + "/missing.xml").toStdWString(),
        write("other.xml", "<Plugin version=\"1\"/>"),
        write("empty-reader.xml", "<Reader><Version><VerDes value=\"x\"/></Version></Reader>"),
        write("broken.xml", "<Reader version=\"1\"><Version></Reader>"),
        write("empty.xml", ""),
        std::wstring(L"/tmp/\xD800.xml"),
    };
    for (const std::wstring &path : cases) {
        EXPECT_FALSE(GetPluginVersionInfo(path, out)) << QString::fromStdWString(path).toStdString();
        EXPECT_EQ(out.readerVersion, L"v");
        EXPECT_EQ(out.legal, L"g");
    }
}
