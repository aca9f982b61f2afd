#pragma once

#include "ModuleInfo.h"

#include <QString>
#include <QVector>
#include <functional>

class CReaderModuleManager;

// What the module manager asks of its download-and-install window, and nothing
// more, so that the update check builds and runs without widgets. The window of
// the product (DlgDownload) registers its maker once at start-up; without a maker
// a manager has no window, and a check still runs whole (query, reply,
// judgement) under a plain QCoreApplication.
//
// The names are the window's own, which the dialogs call as they stand.
class DownloadWindow
{
public:
    // Makes the window of one manager, its signals already relayed to that
    // manager's slots (getDownProgress, setInstallProgress, startInstall and
    // Slot_SetCurrentDownloadModule).
    using Maker = std::function<DownloadWindow *(CReaderModuleManager &manager)>;

    // Registers the maker every manager made afterwards uses (an empty one: none).
    static void registerMaker(Maker maker);
    // The window for a new manager; null when no maker is registered.
    static DownloadWindow *make(CReaderModuleManager &manager);

    // The modules to download, in order; the window keeps copies.
    virtual void setSelectUpdates(QVector<MODULEINFO *> modules) = 0;
    // The window works out of sight: shown minimised, then hidden at once.
    virtual void showMinimizedAndHide() = 0;
    // Downloads and installs the selection from its first module on.
    virtual void startShowDownload() = 0;
    // Stops the sequence: the window closes.
    virtual void cancel() = 0;
    // Pause and resume of the running transfer; nothing without one.
    virtual void pauseDown() = 0;
    virtual void new_continue_download() = 0;

    // The progress dialog's half of the install round trip (see DlgDownload):
    // it hides the window and hands back the package the window announced.
    virtual void setVisible(bool visible) = 0;
    virtual void installHasDownloadUpdates(QString packagePath) = 0;

    // The manager is going (the relays end with it, their receiver): the window
    // goes once control is back in the event loop, since the manager may end
    // inside one of the window's own signals.
    virtual void dispose() = 0;

protected:
    // Only dispose ends a window.
    ~DownloadWindow() = default;
};
