#pragma once

#include "ListBox.h"

#include <QProxyStyle>
#include <QSize>

#include <unordered_map>

namespace AUILib {

// The list box header's style: a section whose column is recorded with the
// picture-after-text style and has a picture gets its label text first and
// the picture after it; everything else is drawn by the standard style.
class HeaderProxyStyle : public QProxyStyle
{
    Q_OBJECT

public:
    HeaderProxyStyle();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;

    void SetHeaderStyle(int column, ListBox::HeaderStyle style);
    // The recorded style, else 0.
    ListBox::HeaderStyle GetHeaderStyle(int column) const;
    void SetPictureSize(int column, const QSize &size);

private:
    std::unordered_map<int, ListBox::HeaderStyle> m_styles;
    std::unordered_map<int, QSize> m_pictureSizes;
};

} // namespace AUILib
