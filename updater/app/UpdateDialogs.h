#pragma once

#include <string>

class CReaderModuleManager;
struct ComponentInfo;

// The update dialogs as the application controller runs them: each is made
// without a parent, run modally and gone when its call returns. The run never
// knows more of them than this, so a test can answer in their place.
class UpdateDialogs
{
public:
    virtual ~UpdateDialogs();

    // The checking dialog (made with the type "Update List" whatever the run's
    // type, hidden before it runs) given the manager, its check started, run
    // modally; the whole interactive check, and the available-updates, download
    // and install dialogs after a successful one, happen inside. Returns the
    // dialog's result, which is never acceptance.
    virtual int execUpdateChecking(CReaderModuleManager *manager) = 0;
    // The component-pack dialog over the request: 1 when the user accepts it.
    virtual int execComponentFound(ComponentInfo &request) = 0;
    // The download-and-install progress dialog over the manager's selection, run
    // until the user closes it.
    virtual void execFound(const std::string &type, bool flag, bool second, bool third, bool fourth,
                           CReaderModuleManager *manager) = 0;

    // The dialogs in use: the ones installed last, else the built-in ones.
    static UpdateDialogs &current();
    // Installs other dialogs (not owned; null puts the built-in ones back).
    static void install(UpdateDialogs *dialogs);
};
