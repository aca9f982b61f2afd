#pragma once

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

// Drives menus that are shown modally: a timer waits until a popup is on the
// screen and then acts on it (the act must close it). A popup still open after
// the deadline is closed, so a faulty test fails instead of hanging.
class PopupDriver
{
public:
    explicit PopupDriver(std::function<void(QMenu *)> act)
        : m_act(std::move(act))
    {
        m_clock.start();
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    // How often a popup was seen and acted on.
    int shown = 0;

    // Chooses the entry with this text with the keyboard, as a user would.
    static void choose(QMenu *menu, const QString &text)
    {
        for (QAction *action : menu->actions()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    }
    // Opens the submenu entry with this text, then chooses in the submenu.
    static void chooseIn(QMenu *menu, const QString &submenu, const QString &text)
    {
        for (QAction *action : menu->actions()) {
            if (action->text() == submenu && action->menu()) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Right);
                if (action->menu()->isVisible()) {
                    choose(action->menu(), text);
                    return;
                }
            }
        }
        menu->close();
    }

private:
    void poll()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (menu && menu->isVisible()) {
            ++shown;
            m_act(menu);
        }
        if (m_clock.elapsed() > kDeadlineMs) {
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        }
    }

    static constexpr int kDeadlineMs = 10000;
    std::function<void(QMenu *)> m_act;
    QElapsedTimer m_clock;
    QTimer m_timer;
};
