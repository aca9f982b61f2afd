#include "ListBoxImpl.h"

#include "FormElement.h"

#include <QBuffer>
#include <QListWidget>
#include <QUiLoader>

#include <memory>

namespace AUILib {

namespace {

// The form's list widget as Qt builds it, items and all.
std::unique_ptr<QListWidget> formListWidget(const FormElement &element)
{
    QByteArray form = element.WidgetForm();
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    std::unique_ptr<QWidget> built(loader.load(&buffer));
    if (!qobject_cast<QListWidget *>(built.get()))
        return nullptr;
    return std::unique_ptr<QListWidget>(static_cast<QListWidget *>(built.release()));
}

} // namespace

ListBox::impl::impl(ListBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ListBoxQt>();
}

ListBox::impl::~impl() = default;

void ListBox::impl::OnFormLoaded(const FormElement &element)
{
    auto *table = WidgetAs<QTableWidget>();
    if (!table || element.ClassName() != QLatin1String("QListWidget"))
        return;
    const std::unique_ptr<QListWidget> list = formListWidget(element);
    if (!list)
        return;
    table->setColumnCount(1);
    table->setRowCount(list->count());
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < list->count(); ++row) {
        auto *cell = new QTableWidgetItem;
        // Every role the form gave the item: text, tool tip, icon, check state, ...
        const QMap<int, QVariant> roles = model->itemData(model->index(row, 0));
        for (auto it = roles.cbegin(); it != roles.cend(); ++it)
            cell->setData(it.key(), it.value());
        cell->setFlags(list->item(row)->flags());
        table->setItem(row, 0, cell);
    }
    if (list->currentRow() >= 0)
        table->setCurrentCell(list->currentRow(), 0);
    // The list widget's own properties reached the table only as dynamic
    // properties, which nothing reads; the list widget above took them.
    const QMetaObject *listMeta = list->metaObject();
    for (const QByteArray &name : table->dynamicPropertyNames()) {
        if (listMeta->indexOfProperty(name.constData()) >= 0 && table->metaObject()->indexOfProperty(name) < 0)
            table->setProperty(name.constData(), QVariant());
    }
}

} // namespace AUILib
