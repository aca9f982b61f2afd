#include "WindowSystem.h"

#include "Sandbox.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

namespace {

class WindowSystemTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        m_style = QApplication::style()->objectName();
        m_palette = QApplication::palette();
    }

    void TearDown() override
    {
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
    }

private:
    QString m_style;
    QPalette m_palette;
};

// Only a run without windows is moved to the offscreen platform, never against
// a platform the caller named, and the programs it starts later see the
// environment as it was. A run with windows goes on only where a display can be
// opened: a named platform, an X display or a Wayland one.
TEST_F(WindowSystemTest, OnlyAWindowlessRunTakesTheOffscreenPlatformAndOnlyForItself)
{
    const struct
    {
        bool opensWindows;
        const char *named;
        const char *display;
        const char *wayland;
        bool goesOn;
        const char *duringStart;
    } cases[] = {
        {false, nullptr, nullptr, nullptr, true, "offscreen"},
        {false, nullptr, ":0", nullptr, true, "offscreen"},
        {true, nullptr, ":0", nullptr, true, nullptr},
        {true, nullptr, nullptr, "wayland-0", true, nullptr},
        {true, nullptr, nullptr, nullptr, false, nullptr},
        {true, "offscreen", nullptr, nullptr, true, "offscreen"},
        {false, "xcb", nullptr, nullptr, true, "xcb"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.opensWindows ? "windows" : "no windows") + " " + (c.named ? c.named : "-") + " "
                     + (c.display ? c.display : "-") + " " + (c.wayland ? c.wayland : "-"));
        // Empty counts as unset, and the sandbox puts the test's own values back.
        sandbox.setEnv("QT_QPA_PLATFORM", c.named ? c.named : "");
        sandbox.setEnv("DISPLAY", c.display ? c.display : "");
        sandbox.setEnv("WAYLAND_DISPLAY", c.wayland ? c.wayland : "");
        EXPECT_EQ(WindowSystem::beforeApplication(c.opensWindows), c.goesOn);
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray(c.duringStart));
        WindowSystem::applyLook();
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), QByteArray(c.named));
    }
}

TEST_F(WindowSystemTest, TheDarkAppearanceComesWithADarkPalette)
{
    QPalette light;
    light.setColor(QPalette::Window, QColor(239, 239, 239));
    QApplication::setPalette(light);
    WindowSystem::applyLook();
    EXPECT_FALSE(WindowSystem::isDark(QApplication::palette()));

    sandbox.setEnv("ORBEL_UPDATER_DARK", "1");
    WindowSystem::applyLook();
    const QPalette dark = QApplication::palette();
    EXPECT_TRUE(WindowSystem::isDark(dark));
    for (auto pair : {std::make_pair(QPalette::WindowText, QPalette::Window), std::make_pair(QPalette::Text, QPalette::Base),
                      std::make_pair(QPalette::ButtonText, QPalette::Button)}) {
        EXPECT_GT(dark.color(pair.first).lightness() - dark.color(pair.second).lightness(), 128) << pair.first;
        EXPECT_LT(dark.color(QPalette::Disabled, pair.first).lightness(), dark.color(pair.first).lightness());
    }
}

} // namespace
