#pragma once

#include <QProxyStyle>

namespace AUILib {

// The tree view's style: triangles or boxed plus and minus marks in the
// branch area, a branch area filled like its row, a selection highlight that
// stops after the item's content when single items are selected, and check
// boxes whose edge shows in a dark palette.
class CustomStyle : public QProxyStyle
{
public:
    enum Option : unsigned int {
        showPlusMinus = 0x1,
        nativeBranches = 0x2,
        hideBranches = 0x4,
        inactiveHighlight = 0x8,
    };

    CustomStyle();
    ~CustomStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

    unsigned int Options() const { return m_options; }
    void SetOption(Option option, bool on);
    // Selection colours come from the control's style sheet.
    void SetCustomSelectionColors(bool on) { m_customSelectionColors = on; }
    bool HasCustomSelectionColors() const { return m_customSelectionColors; }

    // The rectangles of the branch mark inside the strip of the branch area
    // (boxed mark, closed and open triangles), as the painting uses them.
    static QRect BranchStrip(const QRect &area);
    static QRect PlusMinusBox(const QRect &strip);
    static QPolygon Triangle(const QRect &strip, bool open);

private:
    void drawBranch(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    void drawItemPanel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;

    unsigned int m_options = nativeBranches | inactiveHighlight;
    bool m_customSelectionColors = false;
};

} // namespace AUILib
