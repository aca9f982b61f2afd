#pragma once

#include "BaseImplQt.h"
#include "ChildDialog.h"
#include "ChildDialogQt.h"

#include <QPointer>

namespace AUILib {

// Watches the page it makes; the page belongs to its Qt parent.
class ChildDialog::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

    void SetBackgroundColor(int colour);
    int BackgroundColor() const { return m_backgroundColor; }

private:
    QPointer<ChildDialogQt> m_widget;
    int m_backgroundColor = -1;
};

} // namespace AUILib
