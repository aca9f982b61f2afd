#pragma once

#include "BaseImplQt.h"
#include "RadioButton.h"
#include "RadioButtonQt.h"

#include <QPixmap>

#include <string>

namespace AUILib {

// Drives the widget it makes, a RadioButtonQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Once the widget is gone the setters do nothing and the getters answer
// unchecked and an empty text.
class RadioButton::impl : public BaseImplQt
{
public:
    explicit impl(RadioButton *owner);
    ~impl() override;

    void SetCheck(bool check);
    bool Checked() const;
    void SetText(const std::wstring &text);
    std::wstring GetText() const;
    void LoadPicture(const std::wstring &path, ScalePicture scale, int iconSize);
    void LoadPicture(const unsigned char *data, int length, ImageTypes type, ScalePicture scale, int iconSize);

    // A form's checked button was turned on by the form, not by the user.
    void OnFormLoaded(const FormElement &element) override;

private:
    void applyPicture(const QPixmap &picture, ScalePicture scale);

    // Turned on by the user since the last click.
    bool m_turnedOn = false;
};

} // namespace AUILib
