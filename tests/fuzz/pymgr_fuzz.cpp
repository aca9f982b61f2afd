// Drives the pooled manager with allocations, reallocations and frees read from the input, next to
// blocks of the platform allocator given to it to free, and checks that every block keeps its bytes.
// Under AddressSanitizer this shows that the manager touches no memory it did not allocate.
#include "COBMEM_PyMgr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Slot
{
    unsigned char* block;
    size_t size;
    unsigned char fill;
};

const int kSlots = 32;

bool Intact(const Slot& slot)
{
    for (size_t i = 0; i < slot.size; ++i)
        if (slot.block[i] != slot.fill)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static COB_MemoryMgr* mgr = OBMEM_CreatePyMgr();
    Slot slots[kSlots] = {};
    size_t at = 0;
    unsigned char fill = 1;
    while (at + 3 <= size) {
        uint8_t op = data[at] & 7;
        Slot& slot = slots[data[at] >> 3];
        size_t request = (static_cast<size_t>(data[at + 1]) << 8 | data[at + 2]) % 2100;
        at += 3;
        if (slot.block && !Intact(slot))
            std::abort();
        switch (op) {
        case 0:
        case 1:
        case 2:
        case 3: // allocate (0 and sizes above the pools included)
            mgr->Free(slot.block, 0);
            slot.block = static_cast<unsigned char*>(mgr->Alloc(request, 0));
            slot.size = request;
            break;
        case 4: // reallocate
            slot.block = static_cast<unsigned char*>(mgr->Realloc(slot.block, request, 0));
            slot.size = request;
            break;
        case 5: // a block the manager never made, small enough to look like a pooled one
            mgr->Free(slot.block, 0);
            slot.block = static_cast<unsigned char*>(std::malloc(request % 1024 + 1));
            slot.size = request % 1024 + 1;
            break;
        default:
            mgr->Free(slot.block, 0);
            slot.block = nullptr;
            slot.size = 0;
            break;
        }
        if (!slot.block)
            slot.size = 0;
        slot.fill = fill++;
        if (slot.block)
            std::memset(slot.block, slot.fill, slot.size);
    }
    for (Slot& slot : slots) {
        if (slot.block && !Intact(slot))
            std::abort();
        mgr->Free(slot.block, 0);
    }
    return 0;
}
