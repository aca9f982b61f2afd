#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"
#include "ObDateTime.h"

#include <cstdint>
#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A date and time field. Its widget is made without a parent; Create places it.
// It shows today's date in the system's short date format until told otherwise.
class DateEdit : public BaseGUIObject
{
public:
    // What the field shows. Any other value is stored but changes nothing.
    enum DateEditMode : std::int32_t {
        DateEditModeTime = 0,     // "H:mm", no calendar pop-up
        DateEditModeDate = 1,     // the short date format, calendar pop-up
        DateEditModeDateTime = 2, // the short date format and " H:mm", calendar pop-up
    };

    DateEdit();
    ~DateEdit() override;

    // The value changed, by the user or from code; carries the new value.
    EventSignal<void(ObDateTime)> OnDateTimeChanged;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // Shows the picture file in the drop-down button; a file that does not
    // exist removes an earlier picture. Replaces the widget's style sheet.
    virtual void LoadPicture(const std::wstring &path);
    // Pictures from bytes are not supported: nothing happens.
    virtual void LoadPicture(const unsigned char *data, int length, ImageTypes type);
    // Switches the format and pop-up and sets the field to the current clock
    // value (the date, the time, or both as the mode shows).
    virtual void SetMode(DateEditMode mode);
    virtual DateEditMode GetMode();

    // The field's widget; null once it is gone.
    QWidget *GetWndPtr();
    // False, leaving the value as it was, for an invalid date or time or one
    // outside the field's range.
    bool SetDateTime(const ObDateTime &value);
    // Reads the text in the mode's display format; false, leaving the value as
    // it was, when it does not match.
    bool SetDateTime(const std::wstring &text);
    ObDateTime GetDateTime() const;
    // Qt's text date form of the value (not the display format).
    std::wstring GetDateTimeString() const;

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
