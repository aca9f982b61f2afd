#include "Splitter.h"

#include "SplitterImpl.h"

namespace AUILib {

Splitter::Splitter()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindSplitter);
}

Splitter::~Splitter() = default;

bool Splitter::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Splitter::GetBaseImpl() const { return m_impl; }

bool Splitter::DynamicResizing() const { return m_impl->DynamicResizing(); }
void Splitter::SetDynamicResizing(bool dynamic) { m_impl->SetDynamicResizing(dynamic); }
void Splitter::SetSizes(std::list<int> sizes) { m_impl->SetSizes(sizes); }
void Splitter::SetHandleWidth(int width) { m_impl->SetHandleWidth(width); }
void Splitter::AddView(BaseGUIObject *) {}
std::list<BaseGUIObject *> Splitter::GetViews() const { return {}; }

} // namespace AUILib
