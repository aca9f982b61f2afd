#ifndef COB_CHARMAP_H
#define COB_CHARMAP_H

class COB_ByteString;
class COB_WideString;

// A mapper record through which byte and wide strings convert.
struct COB_CharMap
{
    COB_WideString (*m_GetWideString)(COB_CharMap* map, const COB_ByteString& bytes);
    COB_ByteString (*m_GetByteString)(COB_CharMap* map, const COB_WideString& wide);
    int (*m_GetCodePage)(); // may be null

    // Code page 0: the platform's current locale; 874, 932, 936, 949, 950 and 1250-1258: their
    // tables; any other number: null. The records are static and never freed.
    static COB_CharMap* GetDefaultMapper(int codePage);
};

#endif
