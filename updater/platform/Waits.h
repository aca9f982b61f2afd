#pragma once

// Every wait and time-out of the updater, with its value in milliseconds as the
// product defines it. ORBEL_UPDATER_TIME_SCALE (a positive factor, default 1)
// shortens or lengthens all of them at once, so tests never sit through a real
// 60 s or 90 s time-out. ORBEL_UPDATER_WAITS ("CheckTimeout=300,TransferStall=500")
// sets single waits to a number of milliseconds instead, unscaled: a test shortens
// only the waits it expects to run out, and every other one keeps a length a
// loaded machine cannot overrun.
class Waits
{
public:
    enum Wait {
        SingleInstanceConnect,  // 500 ms: a later instance looking for the running one
        SingleInstanceWrite,    // 30 s: handing the last argument over
        SingleInstanceRead,     // 1 s: the running instance reading it
        ShellCommand,           // 30 s: each helper command started with QProcess
        CheckTimeout,           // 60 s: the checking dialog's time-out
        TransferStall,          // 90 s: no progress on a transfer
        TransferNoResponse,     // 90 s: no answer at all to a request
        StateSocketConnect,     // 30 s: connecting to the reader's state server
        StateSocketReply,       // 30 s: waiting for its answer
        ListenerAnswer,         // 60 s: a listener's answer to a client that does not read it
        InstallPoll,            // 1 s: polling a running Installer
        InstallerToFront,       // 1 s: bringing the Installer to the front once
        ShortDelay              // 3 s: the three-second timers of the dialogs
    };

    // The wait in milliseconds after ORBEL_UPDATER_WAITS and the time scale; never below 1 ms.
    static int ms(Wait wait);

    // The factor from ORBEL_UPDATER_TIME_SCALE; 1 when unset or not a positive number.
    static double scale();
};
