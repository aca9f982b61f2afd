#pragma once

#include <QString>

class QFile;

// The updater's debug log, "Update.log" in the per-user data folder. A line is
// written only while the reader's "Preferences/General/bDebugMode" is 1.
class CUP_Log
{
public:
    static void CreateLog();
    static void PrintLog(QString message);

    static QFile *m_pFile;
};
