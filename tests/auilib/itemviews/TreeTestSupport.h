#pragma once

#include "TreeView.h"
#include "TreeViewQt.h"
#include "any.h"

// What the tree view's tests share.
template <class T>
T valueOf(const AUILib::any &value)
{
    const T *held = AUILib::any_cast<T>(&value);
    return held ? *held : T();
}

inline AUILib::TreeViewQt *treeOf(AUILib::TreeView &tree)
{
    return qobject_cast<AUILib::TreeViewQt *>(tree.GetPlatformHandle());
}
