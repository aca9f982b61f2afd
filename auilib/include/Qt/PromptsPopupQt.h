#pragma once

#include <QBasicTimer>
#include <QLabel>
#include <QPointer>
#include <QRect>

namespace AUILib {

// The balloon's window: a tool-tip label that paints a rounded box with an
// arrow, watches its target and the target's window, and hides on a timer.
class PromptsPopupQt : public QLabel
{
    Q_OBJECT

public:
    explicit PromptsPopupQt(QWidget *parent = nullptr);

    // Interaction with the target (typing, focus, leaving) hides the balloon.
    bool closeOnInteraction = false;
    QBasicTimer autoHideTimer;
    // Negative: the balloon stays until it is hidden.
    int timeoutMs = kLongestTimeout;
    bool displayed = false;
    QRect balloonRect{QPoint(0, 0), QPoint(-1, -1)};

    static constexpr int kLongestTimeout = 50000;
    static constexpr int kNoTimeout = -1;
    static constexpr int kArrowLeft = 5;
    static constexpr int kArrowWidth = 10;
    static constexpr int kArrowHeight = 10;
    static constexpr int kCornerRadius = 5;
    static constexpr int kMargin = 10;

    void WatchTarget(QWidget *target);
    void WatchWindow(QWidget *window);

    // Qt hands queued window events on (the window's own paint among them)
    // while it makes or drops the balloon's platform window: the filter does
    // not show the balloon again from inside its own showing or hiding, which
    // would make it a second platform window, never freed; the toolkit's
    // handlers wait until the showing or hiding is done.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void watch(QPointer<QWidget> &role, QWidget *widget);
    void hideByTarget();

    QPointer<QWidget> m_target;
    QPointer<QWidget> m_window;
    bool m_changingVisibility = false;
};

} // namespace AUILib
