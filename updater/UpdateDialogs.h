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

    // The checking dialog, hidden, checking through the manager; the whole
    // interactive check (and what follows a successful one) happens inside.
    // Returns the dialog's result, which is never acceptance.
    virtual int execUpdateChecking(CReaderModuleManager *manager) = 0;
    // The component-pack dialog: 1 when the user accepts the request.
    virtual int execComponentFound(ComponentInfo &request) = 0;
    // The download-and-install progress dialog over the manager's selection.
    virtual void execFound(const std::string &type, bool flag, bool second, bool third, bool fourth,
                           CReaderModuleManager *manager) = 0;

    // The dialogs in use: the ones installed last, else the built-in ones.
    static UpdateDialogs &current();
    // Installs other dialogs (not owned; null puts the built-in ones back).
    static void install(UpdateDialogs *dialogs);
};
