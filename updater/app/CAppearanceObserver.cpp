#include "CAppearanceObserver.h"

#include "CAppearanceMonitor.h"

CAppearanceObserver::CAppearanceObserver(QObject *parent)
    : QObject(parent)
    , m_pMonitor(new CAppearanceMonitor)
{
    m_pMonitor->setObserver(this);
}

// The monitor goes first, and with it its connection: no change reaches a
// destroyed observer.
CAppearanceObserver::~CAppearanceObserver() = default;

bool CAppearanceObserver::isDarkMode()
{
    return m_pMonitor->isDarkMode();
}
