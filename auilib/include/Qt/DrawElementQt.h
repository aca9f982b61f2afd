#pragma once

#include "DrawElement.h"
#include "OwnerRef.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <vector>

class QPainter;

namespace AUILib {

// The drawing surface: its strokes, the background picture and the frame.
class DrawElementQt : public QWidget
{
    Q_OBJECT

public:
    explicit DrawElementQt(DrawElement *owner, QWidget *parent = nullptr);
    ~DrawElementQt() override;

    QImage *GetImage() const;
    void ResetImage();
    void DrawImage(const QImage &image, int x, int y);
    void SetBorder(bool border);
    bool IsSetBorder() const { return m_border; }
    void SetLineColor(const QColor &color) { m_lineColor = color; }
    QColor LineColor() const { return m_lineColor; }
    void UpdateLinesColor(const QColor &color);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // One freehand line; its colour is fixed when it starts.
    struct Stroke
    {
        QPainterPath path;
        QColor color;
    };

    void paintStrokes(QPainter &painter) const;

    OwnerRef<DrawElement> m_owner;
    bool m_drawn = false;
    std::vector<std::unique_ptr<Stroke>> m_strokes;
    Stroke *m_current = nullptr;
    QColor m_borderColor{175, 175, 175};
    QColor m_lineColor{0, 0, 0};
    bool m_border = true;
    QImage m_background;
    QPoint m_backgroundPos{0, 0};
};

} // namespace AUILib
