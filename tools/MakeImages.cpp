// Draws the updater's images (window icon, title images, state icons, component icon) into res/.
// The PNGs are committed; run this again only to change a drawing:
//   QT_QPA_PLATFORM=offscreen build/tools/MakeImages res
// The Simplified Chinese titles need a CJK font (Debian fonts-wqy-microhei).
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

const QColor kBrandTop(0xE8, 0x55, 0x3A);
const QColor kBrandBottom(0xB3, 0x26, 0x18);
const QColor kGreen(0x2E, 0x9E, 0x4F);
const QColor kAmber(0xF2, 0xA9, 0x00);

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The reader's mark: a red tile holding a page, with a green badge carrying an up arrow.
// Drawn in a 128-unit box so every size comes from the same geometry.
void drawAppMark(QPainter &p, const QRectF &box)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 128.0, box.height() / 128.0);

    QLinearGradient tile(0, 0, 0, 128);
    tile.setColorAt(0, kBrandTop);
    tile.setColorAt(1, kBrandBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(6, 6, 116, 116), 26, 26);

    // The page with its folded corner.
    QPainterPath page;
    page.moveTo(34, 24);
    page.lineTo(76, 24);
    page.lineTo(94, 42);
    page.lineTo(94, 104);
    page.lineTo(34, 104);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(76, 24);
    fold.lineTo(76, 42);
    fold.lineTo(94, 42);
    fold.closeSubpath();
    p.setBrush(QColor(0xF3, 0xC2, 0xB8));
    p.drawPath(fold);

    // Text lines on the page.
    p.setBrush(QColor(0xD0, 0xD0, 0xD0));
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(42, 52 + i * 11, i == 3 ? 26 : 44, 5), 2.5, 2.5);

    // The update badge.
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(92, 92), 25, 25);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(92, 92), 21, 21);
    QPen arrow(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(arrow);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(92, 103), QPointF(92, 81));
    p.drawPolyline(QPolygonF({QPointF(82, 90), QPointF(92, 80), QPointF(102, 90)}));
    p.restore();
}

QImage appIcon()
{
    QImage image = blank(128, 128);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawAppMark(p, QRectF(0, 0, 128, 128));
    return image;
}

// 319 x 48 in the dialogs, drawn at twice that size for sharp output on high-density screens.
QImage titleImage(const QString &text, const QString &family, bool dark)
{
    QImage image = blank(638, 96);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawAppMark(p, QRectF(4, 4, 88, 88));

    QFont font(family);
    font.setPixelSize(46);
    font.setBold(true);
    p.setFont(font);
    p.setPen(dark ? QColor(222, 222, 222) : QColor(26, 26, 26));
    p.drawText(QRectF(110, 0, 528, 96), Qt::AlignVCenter | Qt::AlignLeft, text);
    return image;
}

QImage successIcon()
{
    QImage image = blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(1, 1, 30, 30));
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(9, 16.5), QPointF(14, 21.5), QPointF(23, 11)}));
    return image;
}

QImage warningIcon()
{
    QImage image = blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(16, 2);
    triangle.lineTo(31, 29);
    triangle.lineTo(1, 29);
    triangle.closeSubpath();
    p.setPen(QPen(kAmber, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kAmber);
    p.drawPath(triangle);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 11), QPointF(16, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawEllipse(QPointF(16, 24.5), 2.1, 2.1);
    return image;
}

// A component pack: a box in the reader's colour, lid lighter than its sides.
QImage componentIcon()
{
    QImage image = blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBrandBottom.darker(130), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF top(16, 3), right(29, 9.5), front(16, 16), left(3, 9.5), bottom(16, 29.5);
    p.setBrush(kBrandTop.lighter(125));
    p.drawPolygon(QPolygonF({top, right, front, left}));
    p.setBrush(kBrandTop);
    p.drawPolygon(QPolygonF({left, front, bottom, QPointF(3, 23)}));
    p.setBrush(kBrandBottom);
    p.drawPolygon(QPolygonF({front, right, QPointF(29, 23), bottom}));
    // The tape across the lid.
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 6.2), QPointF(22.5, 12.8));
    return image;
}

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <res folder>\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString latin = QStringLiteral("DejaVu Sans");
    const QString cjk = QStringLiteral("WenQuanYi Micro Hei");
    if (!QFontDatabase().families().contains(cjk)) {
        std::fprintf(stderr, "the font %s is missing (apt-get install fonts-wqy-microhei)\n", qPrintable(cjk));
        return 1;
    }
    const QString title = QStringLiteral("Orbel PDF Reader");
    const QString titleZh = QStringLiteral("Orbel PDF \u9605\u8BFB\u5668");

    bool ok = save(appIcon(), out + "/OrbelReaderUpgrade-128x128.png");
    ok = save(titleImage(title, latin, false), out + "/about-title@2x.png") && ok;
    ok = save(titleImage(title, latin, true), out + "/about-title-dark@2x.png") && ok;
    ok = save(titleImage(titleZh, cjk, false), out + "/zh_cn/about-title@2x.png") && ok;
    ok = save(titleImage(titleZh, cjk, true), out + "/zh_cn/about-title-dark@2x.png") && ok;
    ok = save(successIcon(), out + "/popup_success.png") && ok;
    ok = save(warningIcon(), out + "/popup_warning.png") && ok;
    ok = save(componentIcon(), out + "/zude_32.png") && ok;
    return ok ? 0 : 1;
}
