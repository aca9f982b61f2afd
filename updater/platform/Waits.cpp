#include "Waits.h"

#include <QString>
#include <cmath>

double Waits::scale()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("ORBEL_UPDATER_TIME_SCALE").toDouble(&ok);
    if (!ok || !(factor > 0) || !std::isfinite(factor))
        return 1.0;
    return factor;
}

int Waits::ms(Wait wait)
{
    const double scaled = static_cast<double>(wait) * scale();
    if (scaled < 1)
        return 1;
    if (scaled > 2147483647.0)
        return 2147483647;
    return static_cast<int>(scaled);
}
