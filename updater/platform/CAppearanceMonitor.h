#pragma once

#include <QObject>

class CAppearanceObserver;

// Watches the desktop's appearance for a CAppearanceObserver. Dark means that the
// application palette's window colour is dark, or that ORBEL_UPDATER_DARK is 1;
// every change of the application palette is passed on to the observer. With
// the switch, start-up gives the application a dark palette too (WindowSystem).
class CAppearanceMonitor : public QObject
{
    Q_OBJECT
public:
    CAppearanceMonitor();

    void setObserver(CAppearanceObserver *observer);
    bool isDarkMode() const;

public slots:
    void updateDarkMode();

private:
    CAppearanceObserver *m_pObserver = nullptr;
};
