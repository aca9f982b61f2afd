#include "CustomQTableWidgetItem.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVariant>

#include <cmath>

namespace AUILib {

namespace {

enum class SortClass { Integer, Floating, Text };

SortClass classOf(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::QChar:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return SortClass::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return SortClass::Floating;
    default:
        return SortClass::Text;
    }
}

// NaN sorts after every number, so the order stays a strict weak ordering.
bool floatingLess(double left, double right)
{
    if (std::isnan(left))
        return false;
    if (std::isnan(right))
        return true;
    return left < right;
}

} // namespace

CustomQTableWidgetItem::CustomQTableWidgetItem(const QString &text, std::shared_ptr<ListBoxSortLinks> links)
    : QTableWidgetItem(text, QTableWidgetItem::UserType)
    , m_links(std::move(links))
{
}

CustomQTableWidgetItem::~CustomQTableWidgetItem() = default;

QTableWidgetItem *CustomQTableWidgetItem::clone() const
{
    return new CustomQTableWidgetItem(*this);
}

bool CustomQTableWidgetItem::sortsAscending(const QTableWidgetItem &other) const
{
    const QTableWidget *table = tableWidget() ? tableWidget() : other.tableWidget();
    return !table || table->horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder;
}

bool CustomQTableWidgetItem::operator<(const QTableWidgetItem &other) const
{
    const auto *cell = dynamic_cast<const CustomQTableWidgetItem *>(&other);
    const bool otherPinned = cell && cell->m_pinned;
    if (m_pinned != otherPinned) {
        // Qt swaps the operands for a descending sort; pinned rows stay on top either way.
        const bool ascending = sortsAscending(other);
        return m_pinned ? ascending : !ascending;
    }
    if (m_pinned)
        return false; // pinned rows keep their own order (Qt's sort is stable)

    const QVariant mine = data(Qt::DisplayRole);
    const QVariant theirs = other.data(Qt::DisplayRole);
    const SortClass myClass = classOf(mine);
    const SortClass theirClass = classOf(theirs);
    if (myClass != SortClass::Text && theirClass != SortClass::Text) {
        if (myClass == SortClass::Integer && theirClass == SortClass::Integer)
            return mine.toLongLong() < theirs.toLongLong();
        return floatingLess(mine.toReal(), theirs.toReal());
    }
    // A number against a text: numbers first. Comparing them as texts would
    // let 2 < 10 < "15" < 2 go round in a circle.
    if (myClass != theirClass)
        return myClass != SortClass::Text;
    return textLess(other);
}

bool CustomQTableWidgetItem::textLess(const QTableWidgetItem &other) const
{
    const QString mine = text();
    const QString theirs = other.text();
    if (m_links && !m_links->sortFunctions.empty()) {
        const auto found = m_links->sortFunctions.find(other.column());
        if (found != m_links->sortFunctions.end() && found->second) {
            const int column = this->column();
            const auto *cell = dynamic_cast<const CustomQTableWidgetItem *>(&other);
            const any myData = m_links->itemData.Get(data(Qt::UserRole).toInt(), column);
            const any theirData = cell && cell->m_links
                                      ? cell->m_links->itemData.Get(other.data(Qt::UserRole).toInt(), column)
                                      : any(0L);
            return found->second(mine.toStdWString(), myData, theirs.toStdWString(), theirData);
        }
    }
    const bool caseSensitive = !m_links || m_links->caseSensitive;
    return QString::compare(mine, theirs, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) < 0;
}

} // namespace AUILib
