#pragma once

#include <QString>

class Comm
{
public:
    // Removes a folder and everything in it; symbolic links are removed, never followed.
    static bool deleteDir(const QString &folder);
};
