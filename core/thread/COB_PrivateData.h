#ifndef COB_PRIVATEDATA_H
#define COB_PRIVATEDATA_H

#include "COB_BasicArray.h"
#include "COB_Object.h"

// An object a private-data record may own outright: freed by deleting it.
class COB_DestructObject : public COB_Object
{
public:
    virtual ~COB_DestructObject() {}
};

typedef void (*OB_PD_CALLBACK_FREEDATA)(void* data);

// One record of a private-data list.
struct OB_PRIVATEDATA
{
    void* pModuleId;
    void* pData;
    OB_PD_CALLBACK_FREEDATA callback;
    bool bSelfDestruct;

    void FreeData();
};

// Lets independent modules attach one pointer each to a shared object, keyed by an identifier
// of their own (typically the address of one of their statics). Not synchronised.
class COB_PrivateData
{
public:
    COB_PrivateData() : m_DataList(sizeof(OB_PRIVATEDATA), nullptr) {}
    ~COB_PrivateData() { ClearAll(); }
    COB_PrivateData(const COB_PrivateData&) = delete;
    COB_PrivateData& operator=(const COB_PrivateData&) = delete;

    void SetPrivateData(void* moduleId, void* data, OB_PD_CALLBACK_FREEDATA callback);
    void SetPrivateObj(void* moduleId, COB_DestructObject* object);
    void AddData(void* moduleId, void* data, OB_PD_CALLBACK_FREEDATA callback, bool selfDestruct);
    void* GetPrivateData(void* moduleId) const;
    // Takes the record out without freeing its data.
    bool RemovePrivateData(void* moduleId);
    // Frees every record's data, then forgets the records.
    void ClearAll();
    int GetSize() const { return m_DataList.GetSize(); }

private:
    OB_PRIVATEDATA* Record(int index) const { return static_cast<OB_PRIVATEDATA*>(m_DataList.GetDataPtr(index)); }
    int IndexOf(void* moduleId) const;

    COB_BasicArray m_DataList;
};

#endif
