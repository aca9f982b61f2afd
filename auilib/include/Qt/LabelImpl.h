#pragma once

#include "BaseImplQt.h"
#include "Label.h"
#include "LabelQt.h"

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <string>

class QMovie;

namespace AUILib {

// Drives the label it makes, a LabelQt: placed by Create or a form, the
// widget belongs to its Qt parent; never placed, it goes with this
// implementation. The text given last is kept: an ellipsis, a line spacing or
// an alignment lays it out again. The programmatic-update flag is up while an
// ellipsis lays it out.
class Label::impl : public BaseImplQt
{
public:
    explicit impl(Label *owner);
    ~impl() override;

    // A set text colour is shown lighter while the label is disabled.
    void Enable(bool enable, bool withChildren) override;
    virtual FontData GetFont();

    // The label widget, or AgnosticUIException("Control is not valid.").
    LabelQt *label();
    LabelQt *GetWndPtr() { return WidgetAs<LabelQt>(); }

    void SetText(const std::wstring &text);
    void SetText(const QString &before, const QString &link, const QString &after, const QString &url);
    std::wstring GetText();
    void SetHyperlinkColors(RGBColor link, RGBColor visited, RGBColor hover);
    void SetTextAlign(TextAlign align);
    void SetBackgroundColor(int color);
    int GetBackgroundColor() const { return m_backgroundColor; }
    void SetTextColor(int color);
    int GetTextColor() const { return m_textColor; }
    void SetWordWrap(bool wrap);
    void SetLineSpacing(int percent);
    void TruncateTextToEllipses(bool truncate);
    bool IsTruncating() const { return m_ellipsis; }

    void LoadPicture(const QString &path, ScalePicture scale, int iconSize);
    void LoadPicture(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale, int iconSize);
    bool PlayGif();
    bool StopGif();
    void DrawTxt(const QString &text);


private:
    // One anchor taken out of a text while it is cut, and where it stood in
    // the text without anchors.
    struct LinkRecord
    {
        QString markup;
        int position = 0;
    };

    QString paragraph(const QString &text, const QString &alignment) const;
    QString alignmentStyle();
    QString elided(QString text);
    QString withLinksBack(QString elidedText, const QList<LinkRecord> &links);
    // Lays the stored text out again while the programmatic-update flag is up.
    void relayout();
    int iconWidth(int requested);
    // The size `picture` is scaled to for `target`, no larger than the screen.
    QSize scaleTarget(const QSize &picture, ScalePicture scale, QSize target);
    void showPicture(const QPixmap &picture, ScalePicture scale, bool gif);
    void showMovie(const QByteArray &bytes);

    int m_backgroundColor = -1;
    int m_textColor = -1;
    bool m_wordWrap = false;
    std::wstring m_text;
    bool m_ellipsis = false;
    int m_lineSpacing = -1;
    QSize m_movieSize;
    QPointer<QMovie> m_movie;
};

} // namespace AUILib
