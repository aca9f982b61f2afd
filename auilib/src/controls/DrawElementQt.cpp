#include "DrawElementQt.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace AUILib {

DrawElementQt::DrawElementQt(DrawElement *owner, QWidget *parent)
    : QWidget(parent)
    , m_owner(owner)
{
}

DrawElementQt::~DrawElementQt() = default;

QImage *DrawElementQt::GetImage() const
{
    if (!m_drawn)
        return nullptr;
    auto *image = new QImage(width(), height(), QImage::Format_ARGB32);
    image->fill(Qt::white);
    QPainter painter(image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    paintStrokes(painter);
    return image;
}

void DrawElementQt::ResetImage()
{
    m_current = nullptr;
    m_strokes.clear();
    m_background = QImage();
    m_drawn = false;
    update();
}

void DrawElementQt::DrawImage(const QImage &image, int x, int y)
{
    m_background = image.copy();
    m_backgroundPos = QPoint(x, y);
    update();
}

void DrawElementQt::SetBorder(bool border)
{
    m_border = border;
    update();
}

void DrawElementQt::UpdateLinesColor(const QColor &color)
{
    for (const auto &stroke : m_strokes)
        stroke->color = color;
    update();
}

void DrawElementQt::mousePressEvent(QMouseEvent *event)
{
    m_strokes.push_back(std::make_unique<Stroke>());
    m_current = m_strokes.back().get();
    m_current->color = m_lineColor;
    m_current->path.moveTo(event->localPos().toPoint());
}

void DrawElementQt::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_current)
        return;
    m_current->path.lineTo(event->localPos().toPoint());
    update();
}

void DrawElementQt::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_current)
        m_current->path.lineTo(event->localPos().toPoint());
    m_current = nullptr;
    m_drawn = true;
    update();
}

void DrawElementQt::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The paper follows the palette (a colour set on the widget, else the
    // application's), and not the window's state: it stays as it is when the
    // element is disabled or its window inactive.
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Base));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!m_background.isNull())
        painter.drawImage(m_backgroundPos, m_background);
    if (m_border) {
        // Aliased, on the outermost pixels: antialiasing would blur the frame
        // over two pixels and cut its corners.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(m_borderColor, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
        painter.setRenderHint(QPainter::Antialiasing, true);
    }
    paintStrokes(painter);
}

void DrawElementQt::paintStrokes(QPainter &painter) const
{
    painter.setBrush(Qt::NoBrush);
    for (const auto &stroke : m_strokes) {
        painter.setPen(QPen(stroke->color, 5.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.drawPath(stroke->path);
    }
}

} // namespace AUILib
