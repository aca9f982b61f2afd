#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton boxAnswer)
    : m_boxAnswer(boxAnswer)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
    m_timer.start(10);
}

ModalAnswerer::~ModalAnswerer()
{
    m_timer.stop();
}

void ModalAnswerer::look()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        boxTitles << box->windowTitle();
        boxTexts << box->text();
        if (QAbstractButton *button = box->button(m_boxAnswer))
            button->click();
        else
            box->reject();
        return;
    }
    for (const Handler &handler : qAsConst(m_handlers)) {
        if (handler(modal))
            return;
    }
}
