#pragma once

#include <QMenu>

#include <string>
#include <unordered_map>

namespace AUILib {

// The menu widget: shows an entry's tool tip while the pointer rests on it,
// wrapped at a maximum width once one is set. A submenu has its own table.
class ContextMenuQt : public QMenu
{
    Q_OBJECT

public:
    explicit ContextMenuQt(QWidget *parent = nullptr);

    void SetItemToolTip(int id, const std::wstring &text);
    void SetToolTipMaxWidth(int width);
    int ToolTipMaxWidth() const { return m_toolTipMaxWidth; }
    // The text the tip of an action shows; empty when it has none.
    QString ToolTipFor(const QAction *action) const;

    static constexpr int kNarrowestToolTip = 51;
    static constexpr int kWidestToolTip = 32766;

private slots:
    void onActionHovered(QAction *action);

private:
    std::unordered_map<int, std::wstring> m_toolTips;
    int m_toolTipMaxWidth = -1;
};

} // namespace AUILib
