#include "ObTagMRUComboBoxItem_Qt.h"

#include <atomic>
#include <utility>

namespace {
std::atomic<int> g_live{0};
}

ObTagMRUComboBoxItem_Qt::ObTagMRUComboBoxItem_Qt()
{
    ++g_live;
}

ObTagMRUComboBoxItem_Qt::ObTagMRUComboBoxItem_Qt(int type, int number, QString folderPath, QString secondText)
    : type(type)
    , number(number)
    , folderPath(std::move(folderPath))
    , secondText(std::move(secondText))
{
    ++g_live;
}

ObTagMRUComboBoxItem_Qt::~ObTagMRUComboBoxItem_Qt()
{
    --g_live;
}

void ObTagMRUComboBoxItem_Qt::RegisterMetaType()
{
    static const int id = qRegisterMetaType<ObTagMRUComboBoxItem_Qt *>("ObLPMRUComboBoxItem_Qt");
    Q_UNUSED(id);
}

int ObTagMRUComboBoxItem_Qt::LiveCount()
{
    return g_live.load();
}
