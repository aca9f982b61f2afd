#include "AUILibUtils.h"

#include <QFont>
#include <QFontDatabase>
#include <QVariant>

#include <algorithm>
#include <iterator>

namespace {

// Symbol, icon, emoji and fallback families: not fonts a user picks for text.
const char *const kExcludedFamilies[] = {
    "Apple Braille", "Apple Color Emoji", "Apple LiGothic Medium", "Apple LiSung Light", "AppleMyungjo",
    "Apple Symbols", "AppleGothic", "Dingbats", "Keyboard", "LastResort", "Osaka", "Bodoni Ornaments",
    "SF Symbols", "DejaVu Sans", "FontAwesome", "Material Design Icons", "OpenSymbol", "Symbola",
    "Arial Unicode MS", "Segoe UI Symbol", "Wingdings", "Wingdings 2", "Wingdings 3", "Webdings", "Symbol",
    "Bookshelf Symbol 7",
};

bool isExcludedFamily(const QString &family)
{
    return std::any_of(std::begin(kExcludedFamilies), std::end(kExcludedFamilies),
                       [&family](const char *name) { return family == QLatin1String(name); });
}

constexpr int kBoldWeight = 58;

} // namespace

bool EnumFonts(std::vector<AUILib::FontData> &fonts, bool skipListed)
{
    QFontDatabase database;
    const QStringList families = database.families(QFontDatabase::Any);
    for (const QString &family : families) {
        if (family.startsWith(QLatin1Char('.')) || database.isPrivateFamily(family))
            continue;
        // Read as a font description, so a plain family name gives that family
        // with the default font's other properties.
        const QFont font = QVariant(family).value<QFont>();
        const bool excluded = isExcludedFamily(font.family());
        if (excluded && skipListed)
            continue;
        AUILib::FontData record;
        record.faceName = family.toStdWString();
        record.size = font.pointSizeF();
        record.bold = font.weight() >= kBoldWeight ? 1 : 0;
        record.italic = font.style() != QFont::StyleNormal ? 1 : 0;
        record.underline = 0;
        record.excludedFamily = excluded ? 1 : 0;
        fonts.push_back(record);
    }
    return !families.isEmpty();
}

bool compareFontData(AUILib::FontData a, AUILib::FontData b)
{
    return a.faceName < b.faceName;
}

namespace AUILibUtils {

bool GetSystemFonts(std::vector<AUILib::FontData> &fonts, bool skipListed)
{
    const bool found = EnumFonts(fonts, skipListed);
    std::sort(fonts.begin(), fonts.end(), compareFontData);
    return found;
}

} // namespace AUILibUtils
