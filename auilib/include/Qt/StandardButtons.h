#pragma once

#include <QDialogButtonBox>
#include <QString>

#include <array>

namespace AUILib {

// One standard button a toolkit button box knows: its Qt value and the English
// name that keys its caption ("AUILib::BBox" + name) in the string tables.
struct StandardButtonRow
{
    QDialogButtonBox::StandardButton button;
    const wchar_t *name;
};

// Reset, Yes, OK, Retry, Ignore, No, Abort, Cancel: the order in which a dialog
// wraps a box's buttons and a box sizes them. Sizes measured on screen belong to
// each box (ButtonBoxQt), not to this table.
const std::array<StandardButtonRow, 8> &StandardButtonTable();

// The row's caption in the current language, else in the default language,
// else the English name.
QString StandardButtonCaption(const StandardButtonRow &row);

} // namespace AUILib
