#include "COB_CharMap.h"

COB_CharMap* COB_CharMap::GetDefaultMapper(int)
{
    return nullptr;
}
