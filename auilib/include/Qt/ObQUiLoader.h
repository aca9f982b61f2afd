#pragma once

#include "Dialog.h"

#include <QUiLoader>

namespace AUILib {

// Builds every control of a form through the toolkit's control factory, so that
// each widget of the dialog belongs to a toolkit element; layouts, properties
// and connections stay QUiLoader's.
class ObQUiLoader : public QUiLoader
{
public:
    explicit ObQUiLoader(Dialog::impl *dialog);

    // Null for a class the factory does not know: the form then has neither
    // that control nor what it holds.
    QWidget *createWidget(const QString &className, QWidget *parent = nullptr,
                          const QString &name = QString()) override;

private:
    Dialog::impl *m_dialog;
};

} // namespace AUILib
