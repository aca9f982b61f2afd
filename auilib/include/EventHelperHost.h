#pragma once

#include <memory>
#include <string>

namespace AUILib {

class BaseGUIObject;

// What the event bridge needs of the dialog it serves: its elements by object
// name, the screen fit, and the veto on closing.
class EventHelperHost
{
public:
    virtual ~EventHelperHost();

    // Empty when the dialog has no element of that name.
    virtual std::shared_ptr<BaseGUIObject> GetElementByName(const std::wstring &name) = 0;
    virtual void ResizeDialogAccordingScreen(BaseGUIObject *control) = 0;
    // -1 keeps the dialog open; any other value is the result it finishes with.
    virtual int FilterDone(int result) = 0;
};

} // namespace AUILib
