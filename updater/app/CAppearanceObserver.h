#pragma once

#include <QObject>
#include <memory>

class CAppearanceMonitor;

// Tells the update dialogs whether the system appearance is dark and signals
// every change of it.
class CAppearanceObserver : public QObject
{
    Q_OBJECT
public:
    explicit CAppearanceObserver(QObject *parent = nullptr);
    ~CAppearanceObserver() override;

    bool isDarkMode();

signals:
    void signal_appearanceChanged(bool darkMode);

private:
    std::unique_ptr<CAppearanceMonitor> m_pMonitor;
};
