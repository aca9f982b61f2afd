#pragma once

#include <QString>

class COB_WideString;

class Comm
{
public:
    // Removes a folder and everything in it; symbolic links are removed, never followed.
    static bool deleteDir(const QString &folder);

    // Wide text up to its first NUL as a QString.
    static QString ws2qs(const COB_WideString &text);
};
