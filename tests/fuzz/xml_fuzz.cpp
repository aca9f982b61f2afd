// Fuzz target of the XML parser: any bytes through the memory form, with every option combination
// chosen by the first byte, then a walk over the whole tree and a deep copy.

#include "CXML_Element.h"

#include <cstddef>
#include <cstdint>

namespace {

unsigned Walk(const CXML_Element* e)
{
    unsigned sum = static_cast<unsigned>(e->GetTagName(true).GetLength() + e->CountAttrs());
    for (int i = 0; i < e->CountAttrs(); ++i) {
        COB_ByteString space, name;
        COB_WideString value;
        e->GetAttrByIndex(i, space, name, value);
        sum += static_cast<unsigned>(value.GetLength());
    }
    for (unsigned i = 0; i < e->CountChildren(); ++i) {
        if (const CXML_Element* child = e->GetElement(i))
            sum += Walk(child);
        else
            sum += static_cast<unsigned>(e->GetContent(i).GetLength());
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t options = data[0];
    int64_t parsed = -1;
    CXML_Element* root = CXML_Element::Parse(data + 1, size - 1, options & 1, &parsed, nullptr, options & 2,
                                             options & 4);
    if (!root)
        return 0;
    if (parsed < 0 || static_cast<uint64_t>(parsed) > size - 1)
        __builtin_trap();
    Walk(root);
    CXML_Element* copy = root->Clone(nullptr);
    delete root;
    if (copy)
        Walk(copy);
    delete copy;
    return 0;
}
