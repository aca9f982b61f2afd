#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// Pictures as an application hands them to a control: an image of one colour,
// encoded in memory in the format a test names ("PNG", "ICO", "BMP", ...).

inline QImage FilledImage(int width, int height, const QColor &colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

inline QByteArray EncodedImage(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QByteArray FilledPictureBytes(int width, int height, const QColor &colour, const char *format = "PNG")
{
    return EncodedImage(FilledImage(width, height, colour), format);
}
