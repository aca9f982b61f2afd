#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A two- or three-state check box with a text. Its widget is made without a
// parent; Create places it.
class CheckBox : public BaseGUIObject
{
public:
    CheckBox();
    ~CheckBox() override;

    // The box was clicked, with the mouse or the keyboard; the state has
    // changed by then. Never fired by SetCheck.
    EventSignal<void()> OnClicked;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Indeterminate is taken only by a tristate box; any value other than
    // checked or indeterminate unchecks.
    virtual void SetCheck(CheckBoxStates state);
    virtual CheckBoxStates GetCheck();
    virtual void SetTristate(bool tristate);
    // The box keeps Qt's own look: the colour and radius setters accept their
    // arguments and change nothing. (RGBColor is an unsigned int here, so the
    // interface's two SetTextColor overloads are this one.)
    virtual void SetTextColor(RGBColor color);

    // The whole text, NULs included.
    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    // Word-wrapped text that is clickable over the whole widget. Shows from
    // the next paint; nothing is repainted or laid out here.
    void SetWrap(bool wrap);
    void SetMinimumHeight(unsigned int height);
    void SetBtnBorderColor(RGBColor normal, RGBColor hover);
    void SetBtnBackgroundColor(RGBColor normal, RGBColor hover);
    void SetBtnCheckmarkColor(RGBColor color);
    void SetBorderRadius(int radius);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
