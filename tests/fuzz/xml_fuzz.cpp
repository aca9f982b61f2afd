// Fuzz target of the XML parser: any bytes through the memory form, with every option combination
// chosen by the first byte, then a walk over the whole tree and a deep copy. The same bytes read
// through a caller's reader in small blocks (block size also chosen by the first byte) must build
// the same tree and report the same parsed size, and so must the memory form and the reader through a
// grow-only pool; through a counting allocator every block must come back.

#include "../core/XmlTestSupport.h"
#include "COB_GrowOnlyPool.h"
#include "CXML_Element.h"

#include <cstddef>
#include <cstdint>
#include <string>

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
    const bool save = options & 1, ignoreRefs = options & 2, keepCtrl = options & 4;
    int64_t parsed = -1;
    CXML_Element* root = CXML_Element::Parse(data + 1, size - 1, save, &parsed, nullptr, ignoreRefs, keepCtrl);

    static const size_t kBlocks[8] = {1, 2, 3, 5, 7, 16, 17, 4096};
    xmltest::BlockReader reader(std::string(reinterpret_cast<const char*>(data + 1), size - 1), kBlocks[options >> 5]);
    int64_t readerParsed = -1;
    CXML_Element* fromReader = CXML_Element::Parse(&reader, save, &readerParsed, nullptr, ignoreRefs, keepCtrl);
    const std::string tree = xmltest::Dump(root);
    if (xmltest::Dump(fromReader) != tree || (root && readerParsed != parsed))
        __builtin_trap();
    delete fromReader;

    // A grow-only pool refuses to resize a block and frees nothing; the tree must not notice.
    COB_GrowOnlyPool pool(nullptr, 4096);
    int64_t poolParsed = -1;
    CXML_Element* pooled = CXML_Element::Parse(data + 1, size - 1, save, &poolParsed, pool, ignoreRefs, keepCtrl);
    if (xmltest::Dump(pooled) != tree || (root && poolParsed != parsed))
        __builtin_trap();
    xmltest::DestroyTree(pooled, pool);

    // The reader's small blocks through the pool, and through an allocator that counts its blocks: the
    // pool's carved strings and a name or section cut by a block edge meet only here.
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    xmltest::BlockReader poolReader(bytes, kBlocks[(options >> 3) & 7]);
    CXML_Element* pooledRead = CXML_Element::Parse(&poolReader, save, &poolParsed, pool, ignoreRefs, keepCtrl);
    if (xmltest::Dump(pooledRead) != tree || (root && poolParsed != parsed))
        __builtin_trap();
    xmltest::DestroyTree(pooledRead, pool);
    xmltest::CountingAllocator counting;
    xmltest::BlockReader countedReader(bytes, kBlocks[(options >> 2) & 7]);
    CXML_Element* counted = CXML_Element::Parse(&countedReader, save, nullptr, counting.get(), ignoreRefs, keepCtrl);
    if (xmltest::Dump(counted) != tree)
        __builtin_trap();
    xmltest::DestroyTree(counted, counting.get());
    if (counting.live != 0)
        __builtin_trap();

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
