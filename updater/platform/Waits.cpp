#include "Waits.h"

#include <QString>
#include <QStringList>
#include <cmath>

namespace {
struct Definition
{
    const char *name;
    int ms;
};

// A switch rather than a table: a wait added to the enum without a value here
// is a compiler warning, not a silent zero.
Definition definition(Waits::Wait wait)
{
    switch (wait) {
    case Waits::SingleInstanceConnect: return {"SingleInstanceConnect", 500};
    case Waits::SingleInstanceWrite: return {"SingleInstanceWrite", 30000};
    case Waits::SingleInstanceRead: return {"SingleInstanceRead", 1000};
    case Waits::ShellCommand: return {"ShellCommand", 30000};
    case Waits::CheckTimeout: return {"CheckTimeout", 60000};
    case Waits::TransferStall: return {"TransferStall", 90000};
    case Waits::TransferNoResponse: return {"TransferNoResponse", 90000};
    case Waits::StateSocketConnect: return {"StateSocketConnect", 30000};
    case Waits::StateSocketReply: return {"StateSocketReply", 30000};
    case Waits::ListenerAnswer: return {"ListenerAnswer", 60000};
    case Waits::InstallPoll: return {"InstallPoll", 1000};
    case Waits::InstallerToFront: return {"InstallerToFront", 1000};
    case Waits::ShortDelay: return {"ShortDelay", 3000};
    }
    return {"", 1000};
}

int clampMs(double ms)
{
    if (!(ms >= 1))
        return 1;
    if (ms > 2147483647.0)
        return 2147483647;
    return static_cast<int>(ms);
}

// The milliseconds ORBEL_UPDATER_WAITS gives the named wait; -1 when it names none.
// Entries that do not read as "Name=number" are ignored; the last one for a name counts.
double overrideMs(QLatin1String name)
{
    double found = -1;
    if (name.isEmpty())
        return found;
    const QStringList entries = qEnvironmentVariable("ORBEL_UPDATER_WAITS").split(QLatin1Char(','));
    for (const QString &entry : entries) {
        const int equals = entry.indexOf(QLatin1Char('='));
        if (equals < 0 || entry.leftRef(equals).trimmed() != name)
            continue;
        bool ok = false;
        const double ms = entry.midRef(equals + 1).trimmed().toDouble(&ok);
        if (ok && ms >= 0 && std::isfinite(ms))
            found = ms;
    }
    return found;
}
} // namespace

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
    const Definition defined = definition(wait);
    const double given = overrideMs(QLatin1String(defined.name));
    if (given >= 0)
        return clampMs(given);
    return clampMs(static_cast<double>(defined.ms) * scale());
}
