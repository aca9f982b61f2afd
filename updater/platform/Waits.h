#pragma once

// Every wait and time-out of the updater, with its value in milliseconds as the
// product defines it. ORBEL_UPDATER_TIME_SCALE (a positive factor, default 1)
// shortens or lengthens all of them at once, so tests never sit through a real
// 60 s or 90 s time-out.
class Waits
{
public:
    enum Wait {
        SingleInstanceConnect = 500,   // a later instance looking for the running one
        SingleInstanceWrite = 30000,   // handing the last argument over
        SingleInstanceRead = 1000,     // the running instance reading it
        ShellCommand = 30000,          // each helper command started with QProcess
        CheckTimeout = 60000,          // the checking dialog's time-out
        TransferStall = 90000,         // no progress on a transfer
        TransferNoResponse = 90000,    // no answer at all to a request
        StateSocketConnect = 30000,    // connecting to the reader's state server
        StateSocketReply = 30000,      // waiting for its answer
        ListenerAnswer = 60000,        // a listener's answer to a client that does not read it
        InstallPoll = 1000,            // polling a running Installer
        InstallerToFront = 1000,       // bringing the Installer to the front once
        ShortDelay = 3000              // the three-second timers of the dialogs
    };

    // The wait in milliseconds after the time scale; never below 1 ms.
    static int ms(Wait wait);

    // The factor from ORBEL_UPDATER_TIME_SCALE; 1 when unset or not a positive number.
    static double scale();
};
