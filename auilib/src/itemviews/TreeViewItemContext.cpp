#include "TreeViewItemContext.h"

namespace AUILib {

TreeViewItemContext::TreeViewItemContext()
{
    m_items.max_load_factor(1.0f);
}

} // namespace AUILib
