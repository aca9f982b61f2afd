#include "CAppearanceObserver.h"
#include "Sandbox.h"

#include <QApplication>
#include <QPalette>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QPalette paletteWithWindow(const QColor &colour)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, colour);
    return palette;
}

class CAppearanceObserverTest : public SandboxTest
{
protected:
    void SetUp() override { original = QApplication::palette(); }
    void TearDown() override { QApplication::setPalette(original); }
    QPalette original;
};

TEST_F(CAppearanceObserverTest, DarkFromThePaletteOrTheSwitch)
{
    QApplication::setPalette(paletteWithWindow(Qt::white));
    CAppearanceObserver observer;
    EXPECT_FALSE(observer.isDarkMode());
    sandbox.setEnv("ORBEL_UPDATER_DARK", "1");
    EXPECT_TRUE(observer.isDarkMode());
    sandbox.setEnv("ORBEL_UPDATER_DARK", "0");
    EXPECT_FALSE(observer.isDarkMode());
    QApplication::setPalette(paletteWithWindow(QColor(30, 30, 30)));
    EXPECT_TRUE(observer.isDarkMode());
}

TEST_F(CAppearanceObserverTest, SignalsEveryPaletteChangeAndNothingAfterItsEnd)
{
    QApplication::setPalette(paletteWithWindow(Qt::white));
    auto *observer = new CAppearanceObserver;
    QSignalSpy spy(observer, &CAppearanceObserver::signal_appearanceChanged);
    QApplication::setPalette(paletteWithWindow(QColor(20, 20, 20)));
    ASSERT_GE(spy.count(), 1);
    EXPECT_TRUE(spy.last().at(0).toBool());
    QApplication::setPalette(paletteWithWindow(QColor(240, 240, 240)));
    EXPECT_FALSE(spy.last().at(0).toBool());
    delete observer;
    // A change after the observer is gone reaches nobody (and must not crash).
    QApplication::setPalette(paletteWithWindow(Qt::black));
}

} // namespace
