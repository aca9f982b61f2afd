#pragma once

#include "any.h"

#include <QList>
#include <QVariant>

#include <cstdint>
#include <string>

namespace AUILib {

class TreeModel;

// One node of a tree view's virtual tree: a plain object that the tree model
// reads directly. A node owns its children; the invisible root (the node
// without a parent) belongs to the model, which knows every node below it
// while the node lives (a node appended to its tree is registered, with its
// children; a node destroyed leaves the register). Each node carries a serial
// number no other node of the process ever gets: the model names a node by
// it, so a node made where a removed one lived is never taken for that one.
class VirtTreeItem
{
public:
    // Remembers the parent; appending to it is the caller's (AppendChild).
    explicit VirtTreeItem(VirtTreeItem *parent);
    ~VirtTreeItem();
    VirtTreeItem(const VirtTreeItem &) = delete;
    VirtTreeItem &operator=(const VirtTreeItem &) = delete;

    // Destroys every child. The spelling is the interface's; callers use it.
    void RemoveChilds();
    // Gives the child its level (0 under the root) and its row (the count of
    // children before it), then appends it.
    void AppendChild(VirtTreeItem *child);

    void SetRow(int row) { m_row = row; }
    int Row() const { return m_row; }
    int Level() const { return m_level; }
    VirtTreeItem *ParentItem() const { return m_parent; }
    // Null outside 0 .. ChildCount() - 1.
    VirtTreeItem *Child(int i) const;
    int ChildCount() const { return m_children.size(); }
    QList<VirtTreeItem *> &GetChildItems() { return m_children; }

    // Column 0 only: the text for the display role, 2 or 0 for the check-state
    // role; an invalid value for anything else.
    QVariant Data(int role, int column) const;

    void SetChecked(bool checked) { m_checked = checked; }
    bool GetChecked() const { return m_checked; }
    void SetCheckAll(bool checkAll) { m_checkAll = checkAll; }
    bool IsCheckAll() const { return m_checkAll; }
    void SetText(const std::wstring &text) { m_text = text; }
    std::wstring GetText() const { return m_text; }
    void SetTooltip(const std::wstring &text) { m_toolTip = text; }
    std::wstring GetTooltip() const { return m_toolTip; }
    // An empty value leaves the stored one.
    void SetData(const any &value);
    any GetData() const { return m_data; }
    // A negative index is ignored.
    void SetIcon(int index);
    int GetIcon() const { return m_icon; }
    // Each value is taken only when it is 0 or more.
    void SetBoldTextPosition(int start, int length);
    // Start in the low 32 bits, length in the high ones.
    std::int64_t GetBoldTextPosition() const;

private:
    friend class TreeModel;
    // Registers the node and everything below it with the model.
    void enter(TreeModel *model);

    const std::uint64_t m_serial;
    TreeModel *m_model = nullptr;
    QList<VirtTreeItem *> m_children;
    VirtTreeItem *m_parent;
    int m_level = 0;
    int m_row = 0;
    bool m_checked = false;
    bool m_checkAll = false;
    std::wstring m_text;
    std::wstring m_toolTip;
    int m_icon = -1;
    any m_data;
    int m_boldStart = -1;
    int m_boldLength = -1;
};

} // namespace AUILib
