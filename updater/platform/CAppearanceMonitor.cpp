#include "CAppearanceMonitor.h"

#include "CAppearanceObserver.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

CAppearanceMonitor::CAppearanceMonitor()
{
    if (qGuiApp)
        connect(qGuiApp, &QGuiApplication::paletteChanged, this, &CAppearanceMonitor::updateDarkMode);
}

void CAppearanceMonitor::setObserver(CAppearanceObserver *observer)
{
    m_pObserver = observer;
}

bool CAppearanceMonitor::isDarkMode() const
{
    if (qEnvironmentVariable("ORBEL_UPDATER_DARK") == QLatin1String("1"))
        return true;
    if (!qGuiApp)
        return false;
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

void CAppearanceMonitor::updateDarkMode()
{
    if (m_pObserver)
        emit m_pObserver->signal_appearanceChanged(isDarkMode());
}
