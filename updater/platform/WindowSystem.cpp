#include "WindowSystem.h"

#include "PlatformStyle.h"

#include <QApplication>
#include <QByteArray>
#include <QPalette>
#include <QVector>

#include <cstdio>
#include <cstdlib>

namespace {

const char kPlatformVariable[] = "QT_QPA_PLATFORM";

// Set while the offscreen platform chosen here stands in the environment.
bool offscreenChosen = false;

// Qt's messages from before the application object stood, held back until it
// does (see holdMessagesUntilApplication).
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QVector<HeldMessage> heldMessages;
QtMessageHandler handlerBefore = nullptr;
bool holdingMessages = false;

void printNoDisplay(const char *why)
{
    std::fprintf(stderr, "OrbelUpdater: this mode opens windows and needs a display, but %s\n", why);
}

// A display that is named but cannot be opened (its server gone, or refusing
// this user) makes Qt print a few warnings and end the process with a fatal
// message while the application object is made; the user reads one line and
// the run fails instead.
void holdOrEndWithoutDisplay(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        printNoDisplay("the display named by DISPLAY or WAYLAND_DISPLAY cannot be opened");
        std::_Exit(1);
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

void holdMessagesUntilApplication()
{
    handlerBefore = qInstallMessageHandler(holdOrEndWithoutDisplay);
    holdingMessages = true;
}

} // namespace

bool WindowSystem::beforeApplication(bool opensWindows)
{
    if (!qEnvironmentVariableIsEmpty(kPlatformVariable))
        return true;
    if (opensWindows) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            printNoDisplay("neither DISPLAY nor WAYLAND_DISPLAY is set");
            return false;
        }
        holdMessagesUntilApplication();
        return true;
    }
    qputenv(kPlatformVariable, "offscreen");
    offscreenChosen = true;
    return true;
}

void WindowSystem::applicationMade()
{
    if (!holdingMessages)
        return;
    qInstallMessageHandler(handlerBefore);
    holdingMessages = false;
    for (const HeldMessage &message : qAsConst(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}

void WindowSystem::applyLook()
{
    if (offscreenChosen) {
        qunsetenv(kPlatformVariable);
        offscreenChosen = false;
    }
    QApplication::setStyle(new PlatformStyle);
    if (darkRequested() && !isDark(QApplication::palette()))
        QApplication::setPalette(darkPalette());
}

bool WindowSystem::darkRequested()
{
    return qEnvironmentVariable("ORBEL_UPDATER_DARK") == QLatin1String("1");
}

bool WindowSystem::isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QPalette WindowSystem::darkPalette()
{
    const QColor text(230, 230, 230);
    const QColor dimmed(128, 128, 128);
    // The frame shades (light, mid, dark, shadow) follow from the button colour.
    QPalette palette(QColor(60, 60, 60), QColor(50, 50, 50));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
    palette.setColor(QPalette::ToolTipBase, QColor(50, 50, 50));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(90, 160, 240));
    palette.setColor(QPalette::LinkVisited, QColor(170, 130, 240));
    palette.setColor(QPalette::PlaceholderText, dimmed);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    return palette;
}
