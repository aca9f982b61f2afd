#pragma once

#include "AUITypes.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// The balloon: a small frameless tip with an upward arrow that pops up under a
// target widget, shows a message (optionally with a title and a 16-pixel icon)
// and hides itself after a time-out or when the user works in the target's
// window. Everything but Create does nothing before the first Create.
class PromptsPopup
{
public:
    PromptsPopup();
    virtual ~PromptsPopup();
    PromptsPopup(const PromptsPopup &) = delete;
    PromptsPopup &operator=(const PromptsPopup &) = delete;

    // The most of a message a balloon shows, in characters (a few lines more
    // than any balloon says), and of its title (a line). Qt lays a balloon's
    // text out whole several times as it is sized and shown, at a cost that
    // grows with every change of script, so a longer one is cut there, with "…".
    static constexpr int kLongestText = 300;
    static constexpr int kLongestTitle = 100;

    // False, doing nothing, without a target. A time-out of -1 (any negative one)
    // never hides the balloon by itself: the framework's persistent tips pass it.
    // iconType has no effect; icons come from SetTitleIcon.
    virtual bool Create(QWidget *target, const std::wstring &text, int iconType, int timeoutMs,
                        bool closeOnInteraction);
    // At (x, y) in global coordinates, or under the target's top-left corner
    // when either is negative; a point off the screen is taken at its edge, and
    // the balloon is never larger than its screen. A balloon already showing
    // keeps its place and timer.
    virtual void Show(bool show, int x, int y);
    virtual void SetTitleIcon(BalloonTipIconType type);
    virtual void SetTitleIcon(const std::wstring &path);
    virtual void SetTitleIcon(const unsigned char *bytes, int length);
    // An empty title is ignored: a title once set stays.
    virtual void SetTitle(const std::wstring &title);

    bool IsDisplayed() const;

    class impl;

private:
    std::unique_ptr<impl> m_impl;
};

} // namespace AUILib
