#include "COB_PrivateData.h"

void OB_PRIVATEDATA::FreeData()
{
    if (!pData)
        return;
    if (bSelfDestruct)
        delete static_cast<COB_DestructObject*>(pData);
    else if (callback)
        callback(pData);
}

int COB_PrivateData::IndexOf(void* moduleId) const
{
    if (!moduleId)
        return -1;
    for (int i = 0, n = m_DataList.GetSize(); i < n; ++i)
        if (Record(i)->pModuleId == moduleId)
            return i;
    return -1;
}

void COB_PrivateData::SetPrivateData(void* moduleId, void* data, OB_PD_CALLBACK_FREEDATA callback)
{
    AddData(moduleId, data, callback, false);
}

void COB_PrivateData::SetPrivateObj(void* moduleId, COB_DestructObject* object)
{
    AddData(moduleId, object, nullptr, true);
}

void COB_PrivateData::AddData(void* moduleId, void* data, OB_PD_CALLBACK_FREEDATA callback, bool selfDestruct)
{
    if (!moduleId)
        return;
    const int index = IndexOf(moduleId);
    if (index >= 0) {
        OB_PRIVATEDATA* record = Record(index);
        // Storing the same data again must not free what the record is about to hold.
        if (record->pData != data)
            record->FreeData();
        record->pData = data;
        record->callback = callback;
        record->bSelfDestruct = selfDestruct;
        return;
    }
    const int size = m_DataList.GetSize();
    if (!m_DataList.SetSize(size + 1, -1))
        return;
    *Record(size) = OB_PRIVATEDATA{moduleId, data, callback, selfDestruct};
}

void* COB_PrivateData::GetPrivateData(void* moduleId) const
{
    const int index = IndexOf(moduleId);
    return index < 0 ? nullptr : Record(index)->pData;
}

bool COB_PrivateData::RemovePrivateData(void* moduleId)
{
    const int index = IndexOf(moduleId);
    return index >= 0 && m_DataList.RemoveAt(index, 1);
}

void COB_PrivateData::ClearAll()
{
    for (int i = 0, n = m_DataList.GetSize(); i < n; ++i)
        Record(i)->FreeData();
    m_DataList.SetSize(0, -1);
}
