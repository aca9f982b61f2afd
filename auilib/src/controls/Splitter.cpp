#include "Splitter.h"

#include "SplitterImpl.h"

namespace AUILib {

Splitter::Splitter()
    : m_impl(std::make_shared<impl>())
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

} // namespace AUILib
