#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A group box. Its widget is made without a parent; Create places it.
class GroupBox : public BaseGUIObject
{
public:
    GroupBox();
    ~GroupBox() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // The most of a title the box shows, in characters: far more than fits
    // on any box. Qt measures a shown title whole at every layout pass and
    // paint, at a cost that grows with every change of script, so a longer
    // one would hold the window.
    static constexpr int kLongestShownTitle = 500;

    // The title, every character kept (embedded NULs included); the box shows
    // its first kLongestShownTitle characters.
    void SetText(const std::wstring &text);
    // The title as set, whole; empty once the widget is gone.
    std::wstring GetText() const;
    // Accepted for callers written against other platforms; changes nothing.
    void SetColors(unsigned long text, unsigned long background);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
