#pragma once

#include <QObject>

class QWidget;

namespace AUILib {

// Reports focus changes of its parent widget; it never consumes an event.
class FocusWatcher : public QObject
{
    Q_OBJECT

public:
    explicit FocusWatcher(QWidget *parent);

signals:
    void focusChanged(bool in);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace AUILib
