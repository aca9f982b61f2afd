#pragma once

#include <QString>

// A component-pack request, as the component-pack dialog shows it.
struct ComponentInfo
{
    QString productName;
    QString readerVersion;
    QString componentList; // one name, or several separated by ","
    QString language;
    QString edition;
};
