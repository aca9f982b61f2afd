#include "HyperLinkElementQt.h"

#include "HyperLinkElement.h"
#include "HyperLinkElementImpl.h"

#include <QEvent>

#include <memory>

namespace AUILib {

HyperLinkElementQt::HyperLinkElementQt(HyperLinkElement *owner, QWidget *parent)
    : QLabel(parent)
    , m_owner(owner)
{
}

bool HyperLinkElementQt::event(QEvent *event)
{
    HyperLinkElement *owner = m_owner.get();
    const auto impl = owner ? std::static_pointer_cast<HyperLinkElementImpl>(owner->GetBaseImpl()) : nullptr;
    if (impl) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            owner->SetVisited(true);
            break;
        case QEvent::Enter:
            impl->BuildLink(impl->GetHoverColor(), true);
            m_mouseOver = true;
            break;
        case QEvent::Leave:
            impl->BuildLink(impl->RestingColor(), impl->GetUnderline());
            m_mouseOver = false;
            break;
        case QEvent::Paint:
            if (m_rebuild) {
                if (m_mouseOver)
                    impl->BuildLink(impl->GetHoverColor(), true);
                else
                    impl->BuildLink(impl->RestingColor(), impl->GetUnderline());
                m_rebuild = false;
            }
            break;
        case QEvent::Show:
            // Shown anew, a visited link starts in the link colour again.
            impl->BuildLink(impl->GetLinkColor(), impl->GetUnderline());
            break;
        case QEvent::Shortcut:
            impl->Activate();
            break;
        default:
            break;
        }
    }
    return QLabel::event(event);
}

} // namespace AUILib
