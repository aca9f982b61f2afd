#pragma once

#include <QString>

class Sandbox;

// Places the stand-in Installer (tools/) where the system Installer lives inside
// the sandbox's root and returns that path. Beside a package, a file
// "<package>.fail" makes it fail and "<package>.noreceipt" makes it succeed
// without a receipt.
QString installFakeInstaller(const Sandbox &sandbox);
