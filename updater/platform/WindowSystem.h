#pragma once

class QPalette;

// What the updater needs of the desktop on this platform, before and after the
// application object exists. On the Mac a window server is always there and
// the system gives every window its look; here a run may have no display at
// all, and the look has to be asked for.
class WindowSystem
{
public:
    // Before the application object exists. A run that opens no window takes
    // Qt's offscreen platform, so that it needs no display, unless
    // QT_QPA_PLATFORM already names a platform. False: the run opens windows and
    // no display can be opened (no platform named, neither DISPLAY nor
    // WAYLAND_DISPLAY set), where Qt would abort the process; the line saying
    // so is printed, and the caller ends the run before it writes anything.
    // A display that is named but cannot be opened is found only as the
    // application object is made: the run then ends there with one such line
    // and a failure code (Qt's messages until then are held back, and go out
    // with applicationMade).
    static bool beforeApplication(bool opensWindows);
    // Right after the application object is made.
    static void applicationMade();

    // Once the application object exists: the programs the run starts inherit
    // the environment as it was; the application gets the platform's style and,
    // when the dark appearance is asked for (ORBEL_UPDATER_DARK=1) and the
    // desktop's palette is light, a dark palette to go with the dark report.
    static void applyLook();

    // ORBEL_UPDATER_DARK=1.
    static bool darkRequested();
    // Whether a palette is a dark one: its window colour is dark.
    static bool isDark(const QPalette &palette);
    static QPalette darkPalette();
};
