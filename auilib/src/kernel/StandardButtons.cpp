#include "StandardButtons.h"

#include "TrString.h"

namespace AUILib {

const std::array<StandardButtonRow, 8> &StandardButtonTable()
{
    static const std::array<StandardButtonRow, 8> table = {{
        {QDialogButtonBox::Reset, L"Reset"},
        {QDialogButtonBox::Yes, L"Yes"},
        {QDialogButtonBox::Ok, L"OK"},
        {QDialogButtonBox::Retry, L"Retry"},
        {QDialogButtonBox::Ignore, L"Ignore"},
        {QDialogButtonBox::No, L"No"},
        {QDialogButtonBox::Abort, L"Abort"},
        {QDialogButtonBox::Cancel, L"Cancel"},
    }};
    return table;
}

QString StandardButtonCaption(const StandardButtonRow &row)
{
    const std::wstring name(row.name);
    return QString::fromStdWString(TrString(std::wstring(), L"AUILib::BBox" + name, name));
}

} // namespace AUILib
