#pragma once

#include "OwnerRef.h"

#include <QLabel>

namespace AUILib {

class HyperLinkElement;

// The label of a hyperlink element. It rebuilds the link's markup as the mouse
// enters and leaves, when shown, and at the next paint after a change.
class HyperLinkElementQt : public QLabel
{
    Q_OBJECT

public:
    explicit HyperLinkElementQt(HyperLinkElement *owner = nullptr, QWidget *parent = nullptr);

    void SetRebuild(bool rebuild) { m_rebuild = rebuild; }
    bool Rebuild() const { return m_rebuild; }
    // Whether the mouse is over this element: each element keeps its own.
    bool MouseOver() const { return m_mouseOver; }

protected:
    bool event(QEvent *event) override;

private:
    OwnerRef<HyperLinkElement> m_owner;
    bool m_rebuild = false;
    bool m_mouseOver = false;
};

} // namespace AUILib
