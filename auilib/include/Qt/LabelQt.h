#pragma once

#include "AUITypes.h"
#include "Label.h"
#include "OwnerRef.h"

#include <QLabel>
#include <QString>

namespace AUILib {

// The label's widget. It keeps the parts of the label's one hyperlink and its
// colours, rewrites the link's colour in the shown text, and turns the text's
// mnemonic into activating the link.
class LabelQt : public QLabel
{
    Q_OBJECT

public:
    explicit LabelQt(Label *owner = nullptr, QWidget *parent = nullptr);

    // Recolours the hyperlink in the shown text; the flag has no effect.
    void SetTextColor(RGBColor color, bool unused);

    // A label asks for what its text or picture needs, but never for more
    // than its screen: nobody could see more of it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The size of the label's screen, or the toolkit's largest size without one.
    QSize ScreenSize() const;

    QString beforeLink;
    QString linkText;
    QString afterLink;
    QString linkUrl;
    // Only the link colour shows.
    RGBColor linkColor = kLinkBlue;
    RGBColor visitedColor = kLinkBlue;
    RGBColor hoverColor = kLinkBlue;

    static constexpr RGBColor kLinkBlue = 0xFF2189F7; // red 33, green 137, blue 247

protected:
    bool event(QEvent *event) override;

private:
    OwnerRef<Label> m_owner;
};

// Text for rich-text markup: '<', '>', '&', '"' and '\'' as entities, so that
// a link's text or URL stays inside its anchor.
QString EscapedForMarkup(const QString &text);

} // namespace AUILib
