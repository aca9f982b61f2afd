#pragma once

#include <QComboBox>

struct ObTagMRUComboBoxItem_Qt;

namespace AUILib {

// The folder combo box's widget. It owns the folder records of its rows (freed
// as rows go), and a mouse press first drops the rows whose folder is gone.
class ComboBoxFSQt : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBoxFSQt(QWidget *parent = nullptr);
    ~ComboBoxFSQt() override;

    // The row's record; null for a row without one.
    ObTagMRUComboBoxItem_Qt *Record(int row) const;
    // The text of the browse row, in the current language.
    static QString BrowseText();
    // The drop-down list becomes as wide as the longest row needs.
    void UpdateViewWidth();

protected:
    bool event(QEvent *event) override;

private:
    void freeRecords(int first, int last);
    void pruneGoneFolders();
};

} // namespace AUILib
