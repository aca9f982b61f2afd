#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// What the application shares between the buttons of one group; the buttons
// only keep it. Applications derive their own record from it.
struct GroupInfo
{
    virtual ~GroupInfo() = default;
};

// A radio button with a text or a picture in its place. Its widget is made
// without a parent; Create places it.
class RadioButton : public BaseGUIObject
{
public:
    RadioButton();
    ~RadioButton() override;

    // The button was clicked, with the mouse or the keyboard.
    EventSignal<void()> OnClicked;
    // Fired right after OnClicked when the user turned the button on since the
    // last click; checking it from code never leads to it.
    EventSignal<void()> OnCheck;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Fires nothing. Unchecking leaves the group without a checked button.
    virtual void SetCheck(bool check);
    virtual bool Checked();
    // A picture in place of the text, scaled to the button's current size as
    // `scale` says; icon files give their picture for `iconSize`. The text is
    // cleared even when the picture cannot be read.
    virtual void LoadPicture(const std::wstring &path, ScalePicture scale, int iconSize);
    virtual void LoadPicture(const unsigned char *data, int length, ImageTypes type, ScalePicture scale,
                             int iconSize);

    // The whole text, NULs included.
    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    void SetGroupInfo(std::shared_ptr<GroupInfo> group);
    std::shared_ptr<GroupInfo> GetGroupInfo();

    class impl;

private:
    ImplHolder<impl> m_impl;
    std::shared_ptr<GroupInfo> m_group;
};

} // namespace AUILib
