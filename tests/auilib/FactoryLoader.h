#pragma once

#include "AUILibObjectFactory.h"
#include "BaseGUIObject.h"

#include <QString>
#include <QUiLoader>
#include <QWidget>

#include <map>
#include <memory>

// The least a form loader does with the toolkit's factory: one control per element
// whose class the factory knows, placed under the element's parent, named after
// it and kept by object name. Other classes are Qt's own.
class FactoryLoader : public QUiLoader
{
public:
    QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override
    {
        std::shared_ptr<AUILib::BaseGUIObject> control =
            AUILib::AUILibObjectFactory::Instance().Create(className.toStdString());
        if (!control)
            return QUiLoader::createWidget(className, parent, name);
        control->Create(parent);
        control->SetName(name.toStdWString());
        QWidget *widget = control->GetPlatformHandle();
        widget->setObjectName(name);
        controls[name] = control;
        return widget;
    }

    std::map<QString, std::shared_ptr<AUILib::BaseGUIObject>> controls;
};
