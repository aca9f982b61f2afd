#ifndef CXML_CONTENT_H
#define CXML_CONTENT_H

#include "COB_WideStringL.h"

#include <cstdint>

// A run of text among an element's children; the record and its text belong to the element's allocator.
struct CXML_Content
{
    int32_t m_bCDATA; // the text came from a CDATA section
    COB_WideStringL m_Content;
};

#endif
