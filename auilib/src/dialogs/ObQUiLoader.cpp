#include "ObQUiLoader.h"

#include "AUILibObjectFactory.h"
#include "BaseGUIObject.h"
#include "DialogImplQt.h"

namespace AUILib {

ObQUiLoader::ObQUiLoader(Dialog::impl *dialog)
    : m_dialog(dialog)
{
}

QWidget *ObQUiLoader::createWidget(const QString &className, QWidget *parent, const QString &name)
{
    if (className == QLatin1String("QDialog")) {
        // The form describes the window the dialog already made; its flags
        // survive the move under the form's parent. There is one window: a
        // dialog nested in the form would make it its own parent.
        if (m_windowTaken)
            return nullptr;
        m_windowTaken = true;
        QDialog *window = m_dialog ? m_dialog->Window() : nullptr;
        if (window)
            window->setParent(parent, window->windowFlags());
        return window;
    }
    std::shared_ptr<BaseGUIObject> element = AUILibObjectFactory::Instance().Create(className.toUtf8().toStdString());
    if (!element || !element->Create(parent))
        return nullptr;
    element->SetName(name.toStdWString());
    if (m_dialog)
        m_dialog->RegisterElement(element->GetName(), element);
    QWidget *widget = element->GetPlatformHandle();
    if (!widget)
        return nullptr;
    if (qobject_cast<QDialog *>(widget))
        widget->setParent(parent, widget->windowFlags());
    else
        widget->setParent(parent);
    return widget;
}

} // namespace AUILib
