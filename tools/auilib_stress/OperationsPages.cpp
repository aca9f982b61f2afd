// Dialogs, child dialogs, tab views, stacked dialogs, splitters and the draw
// element (scroll areas have only the common operations).
#include "AUILibUtils.h"
#include "Button.h"
#include "ChildDialog.h"
#include "Dialog.h"
#include "Draw.h"
#include "DrawElement.h"
#include "OperationTable.h"
#include "Splitter.h"
#include "StackedDialog.h"
#include "TabView.h"
#include "World.h"

#include <QImage>
#include <QRect>
#include <QPointer>
#include <QWidget>

#include <list>

#include <private/qwidget_p.h>

using namespace AUILib;

namespace {

using Role = OperationRole;

const wchar_t *const kElementNames[] = {L"pushButton", L"lineEdit", L"tableWidget", L"comboBox", L"treeView",
                                        L"buttonBox",  L"label",    L"btn_close",   L"treeView", L"",
                                        L"no such element"};

std::wstring elementName(Draw &d)
{
    const std::wstring name = kElementNames[d.random().below(11)];
    d.note(Draw::describe(name));
    return name;
}

void addDialog(OperationTable &t)
{
    const ControlKind k = ControlKindDialog;
    t.add<Dialog>(k, "ShowButKeepHiddenChildren", Role::Change, [](Dialog &c, Draw &d) {
        const bool show = d.flag();
        d.call();
        c.ShowButKeepHiddenChildren(show);
    });
    t.add<Dialog>(k, "CreateTabWindow", Role::Mode, [](Dialog &c, Draw &d) {
        if (d.flag()) {
            QWidget *parent = d.parent(c);
            d.call();
            c.CreateTabWindow(parent, false);
        } else {
            BaseGUIObject *placeholder = d.otherControl();
            d.call();
            c.CreateTabWindowEx(placeholder, false);
        }
    });
    t.add<Dialog>(k, "InitializeControls", Role::Change, [](Dialog &c, Draw &d) {
        d.call();
        c.InitializeControls();
    });
    t.add<Dialog>(k, "SetIcon", Role::Change, [](Dialog &c, Draw &d) {
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.SetIcon(path, false);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.SetIcon(p.bytes, p.length, p.type, false);
        }
    });
    t.add<Dialog>(k, "DoModal", Role::Change, [](Dialog &c, Draw &d) {
        d.call();
        d.answer(std::to_string(c.DoModal()));
    });
    t.add<Dialog>(k, "DoModeless", Role::Change, [](Dialog &c, Draw &d) {
        const bool onTop = d.flag();
        if (d.flag()) {
            d.call();
            c.DoModeless(onTop);
        } else {
            QWidget *parent = d.parent(c);
            d.call();
            c.DoModeless(parent, onTop);
        }
    });
    t.add<Dialog>(k, "Done", Role::Clear, [](Dialog &c, Draw &d) {
        const auto state = d.choice({Dialog::Rejected, Dialog::Accepted});
        d.call();
        c.Done(state);
    });
    t.add<Dialog>(k, "SetWindowTitle", Role::Change, [](Dialog &c, Draw &d) {
        const std::wstring title = d.text();
        d.call();
        c.SetWindowTitle(title);
        if (d.alive())
            c.GetWndPtr();
        if (d.alive())
            c.GetHandle();
    });
    t.add<Dialog>(k, "GetElementByName", Role::Read, [](Dialog &c, Draw &d) {
        const std::wstring name = elementName(d);
        d.call();
        c.GetElementByName(name);
        c.GetControlPtr<Button *>(name);
        if (d.alive())
            c.GetFocusedCtrlPtr();
    });
    t.add<Dialog>(k, "SetFocusToCtrl", Role::Select, [](Dialog &c, Draw &d) {
        BaseGUIObject *control = d.otherControl();
        d.call();
        c.SetFocusToCtrl(control);
    });
    t.add<Dialog>(k, "SetDefaultButton", Role::Mode, [](Dialog &c, Draw &d) {
        const std::wstring name = elementName(d);
        d.call();
        c.SetDefaultButton(c.GetControlPtr<Button *>(name));
    });
    t.add<Dialog>(k, "SetBackgroundColor", Role::Change, [](Dialog &c, Draw &d) {
        const unsigned int colour = d.colour();
        d.call();
        c.SetBackgroundColor(static_cast<int>(colour));
        if (d.alive())
            c.GetBackgroundColor();
    });
    t.add<Dialog>(k, "SetCursorType", Role::Change, [](Dialog &c, Draw &d) {
        const int type = d.random().percent(70) ? d.between(0, 16) : d.number();
        d.call();
        c.SetCursorType(static_cast<CursorTypes>(type));
    });
    t.add<Dialog>(k, "LoadCustomCursor", Role::Change, [](Dialog &c, Draw &d) {
        const int x = d.number(), y = d.number();
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.LoadCustomCursor(path, x, y);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.LoadCustomCursor(p.bytes, p.length, x, y, p.type);
        }
    });
    t.add<Dialog>(k, "UpdateWindow", Role::Change, [](Dialog &c, Draw &d) {
        d.call();
        c.UpdateWindow();
    });
    t.add<Dialog>(k, "SetToolTip", Role::Change, [](Dialog &c, Draw &d) {
        const std::wstring name = elementName(d);
        const std::wstring text = d.text(), title = d.text();
        const int width = d.length();
        // Corners, not a size: the rect itself is made without arithmetic, so
        // that any overflow found is the toolkit's own.
        const QPoint topLeft(d.number(), d.number());
        QRect rect(topLeft, QPoint(d.number(), d.number()));
        const bool withRect = d.flag();
        d.call();
        c.SetToolTip(c.GetElementByName(name), text, title, width, withRect ? &rect : nullptr, false);
    });
    t.add<Dialog>(k, "ResizeDialogAccordingScreen", Role::Change, [](Dialog &c, Draw &d) {
        const std::wstring name = elementName(d);
        d.call();
        c.ResizeDialogAccordingScreen(c.GetElementByName(name).get());
    });
}

void addPages(OperationTable &t)
{
    t.add<ChildDialog>(ControlKindChildDialog, "SetVisible", Role::Change, [](ChildDialog &c, Draw &d) {
        const bool visible = d.flag();
        d.call();
        c.SetVisible(visible);
    });
    t.add<ChildDialog>(ControlKindChildDialog, "SetBackgroundColor", Role::Change, [](ChildDialog &c, Draw &d) {
        const unsigned int colour = d.colour();
        d.call();
        c.SetBackgroundColor(static_cast<int>(colour));
        if (d.alive())
            c.BackgroundColor();
    });

    const ControlKind tab = ControlKindTabView;
    t.add<TabView>(tab, "SetCurrentIndex", Role::Select, [](TabView &c, Draw &d) {
        const int index = d.index(c.GetItemCount());
        d.call();
        c.SetCurrentIndex(index);
        if (d.alive())
            c.GetCurrentIndex();
    });
    t.add<TabView>(tab, "SetTabText", Role::Change, [](TabView &c, Draw &d) {
        const int index = d.index(c.GetItemCount());
        const std::wstring text = d.text();
        d.call();
        c.SetTabText(index, text);
        if (d.alive())
            c.GetTabText(index);
    });
    t.add<TabView>(tab, "EnablePage", Role::Mode, [](TabView &c, Draw &d) {
        const int index = d.index(c.GetItemCount());
        const bool enable = d.flag(), children = d.flag();
        d.call();
        c.EnablePage(index, enable, children);
    });
    t.add<TabView>(tab, "ActivateNextTab", Role::Select, [](TabView &c, Draw &d) {
        const bool next = d.flag();
        d.call();
        next ? c.ActivateNextTab() : c.ActivatePreviousTab();
    });

    const ControlKind stack = ControlKindStackedDialog;
    t.add<StackedDialog>(stack, "SetCurrentIndex", Role::Select, [](StackedDialog &c, Draw &d) {
        QWidget *widget = c.GetPlatformHandle();
        const int count = widget ? widget->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size() : 0;
        const int index = d.index(count);
        d.call();
        c.SetCurrentIndex(index);
        if (d.alive())
            c.GetCurrentIndex();
    });
    t.add<StackedDialog>(stack, "GetPage", Role::Read, [](StackedDialog &c, Draw &d) {
        const int index = d.index(3);
        d.call();
        c.GetPage(index);
    });
    t.add<StackedDialog>(stack, "InsertChildDialog", Role::Add, [](StackedDialog &c, Draw &d) {
        const int index = d.index(3);
        QWidget *page = nullptr;
        // A page of no window that the stack refused is this step's to delete.
        QPointer<QWidget> orphan;
        switch (d.random().below(5)) {
        case 0: {
            // Owned by a window until the stack takes it, so that a refused page is not lost;
            // never by one Qt is destroying (a handler of its destruction runs this), which
            // Qt itself does not allow.
            World::Window *owner = nullptr;
            for (World::Window &window : d.world().windows())
                if (window.widget && !QWidgetPrivate::get(window.widget)->data.in_destructor)
                    owner = &window;
            page = new QWidget(owner ? owner->widget.data() : nullptr);
            if (!owner)
                orphan = page;
            d.note(owner ? "a new page" : "a new page of no window");
            break;
        }
        case 1:
            d.note("null page");
            break;
        case 2:
            page = c.GetPlatformHandle();
            d.note("its own widget");
            break;
        case 3:
            page = c.GetPlatformHandle() ? c.GetPlatformHandle()->window() : nullptr;
            d.note("its window");
            break;
        default:
            page = d.parent(c);
            break;
        }
        d.call();
        d.answer(std::to_string(c.InsertChildDialog(index, page)));
        if (orphan && !orphan->parentWidget())
            delete orphan.data();
    });
    t.add<StackedDialog>(stack, "AddChildDialog", Role::Add, [](StackedDialog &c, Draw &d) {
        BaseGUIObject *other = d.otherControl();
        d.call();
        c.AddChildDialog(other && other->GetControlKind() == ControlKindChildDialog ? static_cast<ChildDialog *>(other)
                                                                                     : nullptr);
    });
    t.add<StackedDialog>(stack, "EnablePage", Role::Mode, [](StackedDialog &c, Draw &d) {
        const int index = d.index(3);
        const bool enable = d.flag(), children = d.flag();
        d.call();
        c.EnablePage(index, enable, children);
    });

    const ControlKind split = ControlKindSplitter;
    t.add<Splitter>(split, "SetDynamicResizing", Role::Mode, [](Splitter &c, Draw &d) {
        const bool dynamic = d.flag();
        d.call();
        c.SetDynamicResizing(dynamic);
        if (d.alive())
            c.DynamicResizing();
    });
    t.add<Splitter>(split, "SetSizes", Role::Change, [](Splitter &c, Draw &d) {
        std::list<int> sizes;
        const int count = d.between(0, 5);
        for (int i = 0; i < count; ++i)
            sizes.push_back(d.length());
        d.call();
        c.SetSizes(sizes);
    });
    t.add<Splitter>(split, "SetHandleWidth", Role::Change, [](Splitter &c, Draw &d) {
        const int width = d.length();
        d.call();
        c.SetHandleWidth(width);
    });
    t.add<Splitter>(split, "AddView", Role::Add, [](Splitter &c, Draw &d) {
        BaseGUIObject *view = d.otherControl();
        d.call();
        c.AddView(view);
        if (d.alive())
            c.GetViews();
    });
}

void addDrawElement(OperationTable &t)
{
    const ControlKind k = ControlKindDrawElement;
    t.add<DrawElement>(k, "GetImage", Role::Read, [](DrawElement &c, Draw &d) {
        d.call();
        delete c.GetImage();
    });
    t.add<DrawElement>(k, "ResetImage", Role::Clear, [](DrawElement &c, Draw &d) {
        d.call();
        c.ResetImage();
    });
    t.add<DrawElement>(k, "DrawImage", Role::Change, [](DrawElement &c, Draw &d) {
        const int form = d.between(0, 3);
        const int width = form == 3 ? d.between(1000, 3000) : d.between(0, 200);
        const int height = form == 3 ? d.between(1000, 3000) : d.between(0, 200);
        const int x = d.random().percent(60) ? d.between(-50, 300) : d.number();
        const int y = d.random().percent(60) ? d.between(-50, 300) : d.number();
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        d.call();
        c.DrawImage(form == 0 ? nullptr : &image, x, y);
    });
    t.add<DrawElement>(k, "SetBorder", Role::Mode, [](DrawElement &c, Draw &d) {
        const bool border = d.flag();
        d.call();
        c.SetBorder(border);
        if (d.alive())
            c.IsSetBorder();
    });
    t.add<DrawElement>(k, "SetLineColor", Role::Change, [](DrawElement &c, Draw &d) {
        const unsigned int colour = d.colour();
        const bool recolour = d.flag();
        d.call();
        recolour ? c.UpdateLinesColor(colour) : c.SetLineColor(colour);
        if (d.alive())
            c.GetLineColor();
    });
}

} // namespace

void addPageOperations(OperationTable &t)
{
    addDialog(t);
    addPages(t);
    addDrawElement(t);
}
