#pragma once

#include <QString>

// One installer of a package, as its "Setup.xml" lists it.
struct _SetupInfo
{
    QString name;      // full path: the unpack folder followed by the "name" attribute
    QString parameter; // the "parameter" attribute (not used by the installation)
    bool iscommon = false;
};

// Whether an installer path lies inside the unpack folder, below it and not the
// folder itself. "Setup.xml" comes with the downloaded package, so a name such as
// "../x" or "/Applications/x" must not reach the Installer. Paths that exist are
// compared with links resolved.
bool IsSetupInstallerInside(const QString &folder, const QString &installerPath);
