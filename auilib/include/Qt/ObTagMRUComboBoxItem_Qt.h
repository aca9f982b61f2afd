#pragma once

#include <QMetaType>
#include <QString>

// The folder record of one row of a folder combo box, held by pointer in the
// row's Qt::UserRole data (metatype name "ObLPMRUComboBoxItem_Qt"). The row's
// widget frees it when the row goes.
struct ObTagMRUComboBoxItem_Qt
{
    ObTagMRUComboBoxItem_Qt();
    ObTagMRUComboBoxItem_Qt(int type, int number, QString folderPath, QString secondText);
    ~ObTagMRUComboBoxItem_Qt();
    ObTagMRUComboBoxItem_Qt(const ObTagMRUComboBoxItem_Qt &) = delete;
    ObTagMRUComboBoxItem_Qt &operator=(const ObTagMRUComboBoxItem_Qt &) = delete;

    // Registers the metatype once; rows hold QVariant::fromValue of the pointer.
    static void RegisterMetaType();
    // Records alive in the process; rows free theirs, so this falls back as rows go.
    static int LiveCount();

    int type = 0;
    int number = 0;
    QString folderPath;
    QString secondText;
};

Q_DECLARE_METATYPE(ObTagMRUComboBoxItem_Qt *)
