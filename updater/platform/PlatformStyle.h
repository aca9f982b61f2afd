#pragma once

#include <QProxyStyle>

// The desktop's own widget style with what the Mac's style gives every window
// whatever the application's style sheet says: a push button is never shorter
// than its text (the sheet's "height" in points reads as no height at all
// here), a disabled text whose colour a sheet forced onto every state is still
// drawn dimmed, so that a disabled button does not look enabled, and an item
// view's check box keeps a visible edge in the dark appearance.
class PlatformStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Over the platform's default style.
    PlatformStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole textRole) const override;

    // The colour a disabled text of that role is drawn in: the palette's own,
    // unless it is the enabled colour, then halfway to the background behind it.
    static QColor disabledTextColour(const QPalette &palette, QPalette::ColorRole textRole);
};
