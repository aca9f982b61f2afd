#ifndef OB_POSITION_H
#define OB_POSITION_H

// Opaque iteration position of the library's maps; null means "no further entry".
typedef void* POSITION;

#endif
