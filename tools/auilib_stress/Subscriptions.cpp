#include "Subscriptions.h"

#include "BaseGUIObject.h"
#include "Button.h"
#include "CheckBox.h"
#include "ComboBox.h"
#include "ComboBoxFS.h"
#include "DateEdit.h"
#include "Dialog.h"
#include "DoubleSpinEdit.h"
#include "Edit.h"
#include "Event.h"
#include "HyperLinkElement.h"
#include "Label.h"
#include "ListBox.h"
#include "MultiLineEdit.h"
#include "Progress.h"
#include "ProgressBar.h"
#include "RadioButton.h"
#include "Reactions.h"
#include "RichEdit.h"
#include "ScrollBar.h"
#include "Slider.h"
#include "SpinEdit.h"
#include "StressRandom.h"
#include "TabView.h"
#include "TreeView.h"

#include <sstream>

using namespace AUILib;

namespace {

// What an event's arguments say in the trace (items by kind only: a handler is
// told about an item, it does not print it) and what the handler is told.
struct Told
{
    std::vector<std::string> words;
    Hint hint;
    BaseGUIObject *editor = nullptr;
    bool rowTaken = false;
};

void tell(Told &t, int value)
{
    t.words.push_back(std::to_string(value));
    if (!t.rowTaken) {
        t.hint.hasRow = true;
        t.hint.row = value;
        t.rowTaken = true;
    } else if (t.hint.column < 0) {
        t.hint.column = value;
    }
}
void tell(Told &t, long long value) { t.words.push_back(std::to_string(value)); }
void tell(Told &t, double value)
{
    std::ostringstream text;
    text << value;
    t.words.push_back(text.str());
}
void tell(Told &t, const std::wstring &value) { t.words.push_back(Draw::describe(value)); }
void tell(Told &t, QStandardItem *item)
{
    t.words.push_back(item ? "an item" : "null");
    if (!t.hint.hasItem) {
        t.hint.item = item;
        t.hint.hasItem = true;
    }
}
void tell(Told &t, VirtTreeItem *item)
{
    t.words.push_back(item ? "a virtual item" : "null");
    t.hint.virtualItem = item;
    t.hint.hasVirtualItem = true;
}
void tell(Told &t, Edit *editor)
{
    t.words.push_back(editor ? "an editor" : "null");
    t.editor = editor;
}
void tell(Told &t, BaseGUIObject *control)
{
    t.words.push_back(control ? "a control" : "null");
    t.editor = control;
}
void tell(Told &t, std::vector<QStandardItem *> &items) { t.words.push_back(std::to_string(items.size()) + " items"); }
void tell(Told &t, bool value) { t.words.push_back(value ? "true" : "false"); }
void tell(Told &t, Event::Key key) { t.words.push_back("key " + std::to_string(static_cast<int>(key))); }
void tell(Told &t, const ObDateTime &value)
{
    t.words.push_back(std::to_string(value.year) + "-" + std::to_string(value.month) + "-" + std::to_string(value.day));
}
void tell(Told &t, const PicaPoint &value)
{
    t.words.push_back(std::to_string(value.picas) + "p" + std::to_string(value.points));
}

class Subscriber
{
public:
    Subscriber(World &world, World::Control &control)
        : m_serial(world.serial())
        , m_id(control.id)
        , m_receiver(control.control)
        , m_random(Progress::instance().seed(), static_cast<std::uint64_t>(world.sequence()), 0x5B5B, control.id)
    {
    }

    template <class... Args>
    void on(EventSignal<void(Args...)> &signal, const char *event)
    {
        const unsigned serial = m_serial;
        const int id = m_id;
        const std::string name = event;
        auto handler = [serial, id, name](bool bound) {
            return [serial, id, name, bound](Args... args) {
                Told told;
                (tell(told, args), ...);
                std::string text = name + "(";
                for (std::size_t i = 0; i < told.words.size(); ++i)
                    text += (i ? ", " : "") + told.words[i];
                Reactions::react(serial, id, text + (bound ? ") bound" : ")"), told.hint, told.editor);
            };
        };
        signal.Subscribe(handler(false));
        if (m_random.percent(15))
            signal.SubscribeBound(m_receiver, handler(true));
    }

private:
    unsigned m_serial;
    int m_id;
    BaseGUIObject *m_receiver;
    StressRandom m_random;
};

const char *eventName(Event::Type type)
{
    switch (type) {
    case Event::MouseButtonPress: return "MouseButtonPress";
    case Event::MouseButtonRelease: return "MouseButtonRelease";
    case Event::MouseButtonDblClick: return "MouseButtonDblClick";
    case Event::KeyPress: return "KeyPress";
    case Event::KeyRelease: return "KeyRelease";
    case Event::FocusIn: return "FocusIn";
    case Event::FocusOut: return "FocusOut";
    case Event::Resize: return "Resize";
    case Event::Show: return "Show";
    case Event::Hide: return "Hide";
    case Event::WindowActivate: return "WindowActivate";
    case Event::WindowDeactivate: return "WindowDeactivate";
    case Event::Wheel: return "Wheel";
    case Event::Drop: return "Drop";
    case Event::ContextMenu: return "ContextMenu";
    case Event::DpiChange: return "DpiChange";
    case Event::Moving: return "Moving";
    default: return nullptr; // paints, moves of the mouse, timers: too many to react to
    }
}

// The item views: rows and items, selections, editors, drops.
bool subscribeItemView(Subscriber &s, BaseGUIObject &c)
{
    switch (c.GetControlKind()) {
    case ControlKindComboBox: {
        auto &e = static_cast<ComboBox &>(c);
        s.on(e.OnSelectionChanged, "OnSelectionChanged");
        s.on(e.OnTextChanged, "OnTextChanged");
        s.on(e.OnTextEdited, "OnTextEdited");
        s.on(e.OnTextReplaced, "OnTextReplaced");
        s.on(e.OnPaste, "OnPaste");
        s.on(e.OnItemSelected, "OnItemSelected");
        return true;
    }
    case ControlKindListBox: {
        auto &e = static_cast<ListBox &>(c);
        s.on(e.OnItemClick, "OnItemClick");
        s.on(e.OnItemDoubleClick, "OnItemDoubleClick");
        s.on(e.OnItemChanged, "OnItemChanged");
        s.on(e.OnItemSelectionChanged, "OnItemSelectionChanged");
        s.on(e.OnSelectionChanged, "OnSelectionChanged");
        s.on(e.OnHeaderClick, "OnHeaderClick");
        s.on(e.OnSelectionBegin, "OnSelectionBegin");
        s.on(e.OnSelectionEnd, "OnSelectionEnd");
        s.on(e.OnEditStart, "OnEditStart");
        s.on(e.OnEditorCreated, "OnEditorCreated");
        s.on(e.OnEditEnd, "OnEditEnd");
        s.on(e.OnItemTextEdited, "OnItemTextEdited");
        return true;
    }
    case ControlKindTreeView: {
        auto &e = static_cast<TreeView &>(c);
        s.on(e.OnItemClicked, "OnItemClicked");
        s.on(e.OnItemExpanded, "OnItemExpanded");
        s.on(e.OnItemCollapsed, "OnItemCollapsed");
        s.on(e.OnItemCheckClicked, "OnItemCheckClicked");
        s.on(e.OnKeyUp, "OnKeyUp");
        s.on(e.OnSelectionChanged, "OnSelectionChanged");
        s.on(e.OnItemMouseUp, "OnItemMouseUp");
        s.on(e.OnItemDoubleClicked, "OnItemDoubleClicked");
        s.on(e.OnItemsDropping, "OnItemsDropping");
        s.on(e.OnItemsDropped, "OnItemsDropped");
        s.on(e.OnItemTextChanged, "OnItemTextChanged");
        s.on(e.OnItemTextReplaced, "OnItemTextReplaced");
        s.on(e.OnBeginEditLabel, "OnBeginEditLabel");
        s.on(e.OnLabelEditorCreated, "OnLabelEditorCreated");
        s.on(e.OnEndEditLabel, "OnEndEditLabel");
        s.on(e.OnItemRemoving, "OnItemRemoving");
        s.on(e.OnAllItemsRemoving, "OnAllItemsRemoving");
        s.on(e.OnMultiSelectionChanging, "OnMultiSelectionChanging");
        s.on(e.OnMultiSelectionChanged, "OnMultiSelectionChanged");
        s.on(e.OnVirtualItemClicked, "OnVirtualItemClicked");
        s.on(e.OnVirtualItemExpanded, "OnVirtualItemExpanded");
        s.on(e.OnVirtualItemCollapsed, "OnVirtualItemCollapsed");
        s.on(e.OnVirtualSelectionChanged, "OnVirtualSelectionChanged");
        s.on(e.OnVirtualItemMouseUp, "OnVirtualItemMouseUp");
        return true;
    }
    default:
        return false;
    }
}

void subscribeClass(Subscriber &s, BaseGUIObject &c)
{
    if (subscribeItemView(s, c))
        return;
    switch (c.GetControlKind()) {
    case ControlKindButton:
        s.on(static_cast<Button &>(c).OnClicked, "OnClicked");
        break;
    case ControlKindCheckBox:
        s.on(static_cast<CheckBox &>(c).OnClicked, "OnClicked");
        break;
    case ControlKindRadioButton:
        s.on(static_cast<RadioButton &>(c).OnClicked, "OnClicked");
        s.on(static_cast<RadioButton &>(c).OnCheck, "OnCheck");
        break;
    case ControlKindLabel:
        s.on(static_cast<Label &>(c).OnLinkActivated, "OnLinkActivated");
        break;
    case ControlKindHyperLinkElement:
        s.on(static_cast<HyperLinkElement &>(c).OnLinkActivated, "OnLinkActivated");
        break;
    case ControlKindEdit: {
        auto &e = static_cast<Edit &>(c);
        s.on(e.OnExtendedButtonClicked, "OnExtendedButtonClicked");
        s.on(e.OnTextChanged, "OnTextChanged");
        s.on(e.OnTextEdited, "OnTextEdited");
        s.on(e.OnFocusLost, "OnFocusLost");
        s.on(e.OnContextMenu, "OnContextMenu");
        s.on(e.OnPaste, "OnPaste");
        break;
    }
    case ControlKindMultiLineEdit: {
        auto &e = static_cast<MultiLineEdit &>(c);
        s.on(e.OnTextChanged, "OnTextChanged");
        s.on(e.OnTextEdited, "OnTextEdited");
        s.on(e.OnFocusLost, "OnFocusLost");
        break;
    }
    case ControlKindRichEdit: {
        auto &e = static_cast<RichEdit &>(c);
        s.on(e.OnTextChanged, "OnTextChanged");
        s.on(e.OnTextEdited, "OnTextEdited");
        break;
    }
    case ControlKindSpinEdit: {
        auto &e = static_cast<SpinEdit &>(c);
        s.on(e.OnValueChanged, "OnValueChanged");
        s.on(e.OnArrowValueChanged, "OnArrowValueChanged");
        break;
    }
    case ControlKindDoubleSpinEdit: {
        auto &e = static_cast<DoubleSpinEdit &>(c);
        s.on(e.OnValueChanged, "OnValueChanged");
        s.on(e.OnArrowValueChanged, "OnArrowValueChanged");
        s.on(e.OnPicaArrowValueChanged, "OnPicaArrowValueChanged");
        s.on(e.OnPicaValueChanged, "OnPicaValueChanged");
        break;
    }
    case ControlKindDateEdit:
        s.on(static_cast<DateEdit &>(c).OnDateTimeChanged, "OnDateTimeChanged");
        break;
    case ControlKindProgressBar:
        s.on(static_cast<ProgressBar &>(c).OnValueChanged, "OnValueChanged");
        break;
    case ControlKindSlider:
        s.on(static_cast<Slider &>(c).OnSliderReleased, "OnSliderReleased");
        s.on(static_cast<Slider &>(c).OnValueChanged, "OnValueChanged");
        break;
    case ControlKindScrollBar:
        s.on(static_cast<ScrollBar &>(c).OnValueChanged, "OnValueChanged");
        break;
    case ControlKindTabView:
        s.on(static_cast<TabView &>(c).OnCurrentChanged, "OnCurrentChanged");
        break;
    case ControlKindComboBoxFS:
        s.on(static_cast<ComboBoxFS &>(c).OnSelectionChanged, "OnSelectionChanged");
        s.on(static_cast<ComboBoxFS &>(c).OnItemActivated, "OnItemActivated");
        break;
    case ControlKindDialog:
        s.on(static_cast<Dialog &>(c).OnResize, "OnResize");
        break;
    default:
        break; // group boxes, lines, pages, splitters, scroll areas, stacks, draw elements: no events of their own
    }
}

} // namespace

void Subscriptions::subscribe(World &world, World::Control &control)
{
    Subscriber subscriber(world, control);
    BaseGUIObject &c = *control.control;
    subscribeClass(subscriber, c);
    const unsigned serial = world.serial();
    const int id = control.id;
    // The control it names is the handler's own: no editor to work on.
    c.OnDestroyed.Subscribe([serial, id](BaseGUIObject *) { Reactions::react(serial, id, "OnDestroyed()", Hint()); });
    c.SetEventProcedure([serial, id](BaseGUIObject *, Event *event) {
        if (!event)
            return false;
        if (const char *name = eventName(event->GetType()))
            Reactions::react(serial, id, std::string("event ") + name, Hint());
        return false;
    });
}
