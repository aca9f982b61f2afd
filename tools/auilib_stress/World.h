#pragma once

#include "AUITypes.h"

#include <QPointer>
#include <QWidget>

#include <deque>
#include <memory>
#include <string>
#include <vector>

class FactoryLoader;
class QStandardItem;
class StressFiles;
class StressOptions;
class StressRandom;

namespace AUILib {
class BaseGUIObject;
class Dialog;
class VirtTreeItem;
} // namespace AUILib

// The windows and controls of one sequence. Each sequence builds its own from
// its random numbers and tears them down at its end, so a sequence replays alone.
// Controls made in code belong to the world (releasing one drops the world's
// hold); form elements belong to their dialog or loader. Entries are never
// removed during a sequence: a released control or a deleted window keeps its
// entry, and its number in the trace, while it answers as gone.
class World
{
public:
    enum class Origin { Code, Form, Loader, Download };

    struct Control
    {
        int id = 0;
        AUILib::ControlKind kind = AUILib::ControlKindOther;
        std::string name; // "ListBox#3"
        Origin origin = Origin::Code;
        int window = -1;
        // Called through while `life` holds; never held across a call, so that a
        // handler may release the control in the middle of one, as callers do.
        AUILib::BaseGUIObject *control = nullptr;
        std::weak_ptr<AUILib::BaseGUIObject> life;
        std::shared_ptr<AUILib::BaseGUIObject> owned;
        // The widget as it was made: input still reaches it after its control is released.
        QPointer<QWidget> widget;
    };

    struct Window
    {
        int id = 0;
        std::string name; // "Host#0", "FormDialog#1" ...
        Origin origin = Origin::Code;
        QPointer<QWidget> widget;
        std::shared_ptr<AUILib::Dialog> dialog;
        std::unique_ptr<FactoryLoader> loader;
    };

    enum class Release {
        Object,      // the dialog or the loader object (its window stays, as the window belongs to Qt)
        DeleteLater, // the window's widget, from the event loop
        Close,       // the window is closed as a user closes it
        Delete,      // the window's widget, at once (from a step, never from a handler)
    };

    World(long long sequence, StressFiles &files, const StressOptions &options);
    ~World();
    World(const World &) = delete;
    World &operator=(const World &) = delete;

    // The world of the sequence running now, and its serial: a handler of a control
    // that outlived its world (it should not) finds a different serial and does nothing.
    static World *current();
    unsigned serial() const { return m_serial; }
    long long sequence() const { return m_sequence; }
    StressFiles &files() { return m_files; }
    const StressOptions &options() const { return m_options; }
    // Whether the run leaves out this name (--skip).
    bool skips(const std::string &name) const;

    // Making. Each returns the new window's or control's index.
    int addHost(StressRandom &random);
    int addFormDialog();
    int addDownloadDialog();
    int addLoaderWindow();
    int addCodeControl(int window, StressRandom &random);
    int addCodeControlOfKind(const char *factoryName, int window, StressRandom &random);

    std::deque<Control> &controls() { return m_controls; }
    std::deque<Window> &windows() { return m_windows; }
    // The control while it lives, else null.
    AUILib::BaseGUIObject *live(const Control &control) const;
    int liveControlCount() const;
    int liveWindowCount() const;
    // The window that holds the control's widget now (controls move with Create).
    int windowOf(const Control &control) const;
    // The entry of a control the world knows, by its address; null when it knows none.
    Control *find(const AUILib::BaseGUIObject *control);

    // A dialog that made its window again gets it watched, and elements it made
    // since (the form's, a button box's buttons) get adopted. Run after each step.
    void refreshWindows();

    bool releaseControl(Control &control);
    bool releaseWindow(Window &window, Release how);

    // Items seen in the trees of this world, for operations given an item that
    // another tree holds or that is gone; virtual items that belong to no tree.
    void rememberItem(QStandardItem *item);
    const std::vector<QStandardItem *> &itemsSeen() const { return m_itemsSeen; }
    void rememberVirtualItem(AUILib::VirtTreeItem *item);
    const std::vector<AUILib::VirtTreeItem *> &virtualItemsSeen() const { return m_virtualSeen; }
    AUILib::VirtTreeItem *strayVirtualItem();

    // Releases every control and window, runs the deletions Qt deferred and
    // closes what popped up; handlers do nothing from here on.
    void teardown();
    bool tearingDown() const { return m_tearingDown; }

private:
    Control &adopt(const std::shared_ptr<AUILib::BaseGUIObject> &control, Origin origin, int window, bool own);
    int addWindow(const std::string &kind, Origin origin, QWidget *widget);
    void adoptElements(int window);

    long long m_sequence;
    StressFiles &m_files;
    const StressOptions &m_options;
    unsigned m_serial;
    std::deque<Control> m_controls;
    std::deque<Window> m_windows;
    std::vector<QStandardItem *> m_itemsSeen;
    std::vector<AUILib::VirtTreeItem *> m_virtualSeen;
    std::vector<std::unique_ptr<AUILib::VirtTreeItem>> m_strays;
    std::vector<QPointer<QWidget>> m_formerWindows;
    bool m_tearingDown = false;
};
