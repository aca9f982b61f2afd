#pragma once

#include "ListBox.h"
#include "OwnerRef.h"

#include <QStyledItemDelegate>

#include <memory>
#include <string>

namespace AUILib {

class ComboBox;
class DateEdit;
class Edit;

// The list box's cell delegate: in-place editors made of toolkit controls (a
// text edit, a combo box, a date edit; one at a time), and the list's extras
// on top of the standard cell painting (an underline, the row button, the
// pictures of selected rows). Date cells hold ISO 8601 text
// ("2026-12-11T09:30:00", "2026-12-11" or "09:30:00").
class ItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    ItemDelegate(ListBox *owner, QObject *parent);
    ~ItemDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    void SetShowSelection(bool show) { m_showSelection = show; }
    bool ShowsSelection() const { return m_showSelection; }
    // Closes whichever editor is open (its close is reported as usual).
    void CloseAllEditors();
    // Called by the list once the view closed `editor`: drops the editor
    // controls. True when a date editor was open.
    bool EditorClosed();
    const std::wstring &OldText() const { return m_oldText; }
    Edit *TextEditor() const { return m_textEditor.get(); }
    ComboBox *ComboBoxEditor() const { return m_comboEditor.get(); }
    DateEdit *DateEditor() const { return m_dateEditor.get(); }

private:
    std::shared_ptr<ListBox::impl> list() const;
    // Whether `editor` is the editor open now.
    bool isOpen(const QWidget *editor) const;
    QWidget *makeTextEditor(ListBox::impl &list, QWidget *parent) const;
    QWidget *makeComboEditor(QWidget *parent) const;
    QWidget *makeDateEditor(QWidget *parent, const QString &text) const;
    void paintSelectedPicture(QPainter *painter, const QStyleOptionViewItem &option, bool checks) const;

    OwnerRef<ListBox> m_owner;
    mutable std::wstring m_oldText;
    mutable std::unique_ptr<Edit> m_textEditor;
    mutable std::unique_ptr<ComboBox> m_comboEditor;
    mutable std::unique_ptr<DateEdit> m_dateEditor;
    bool m_showSelection = true;
};

} // namespace AUILib
