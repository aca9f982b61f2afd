#include "CAppearanceMonitor.h"

#include "CAppearanceObserver.h"
#include "WindowSystem.h"

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
    if (WindowSystem::darkRequested())
        return true;
    return qGuiApp && WindowSystem::isDark(QGuiApplication::palette());
}

void CAppearanceMonitor::updateDarkMode()
{
    if (m_pObserver)
        emit m_pObserver->signal_appearanceChanged(isDarkMode());
}
