#pragma once

// Helpers of the XML tests: a compact text form of a tree, a block reader with a chosen block size
// and an allocator that counts its blocks.

#include "COB_MemoryMgr.h"
#include "CXML_Content.h"
#include "CXML_Element.h"
#include "IOB_BufferRead.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace xmltest {

inline void AppendWide(std::string& out, const wchar_t* text, int length)
{
    for (int i = 0; i < length; ++i) {
        const unsigned c = static_cast<unsigned>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char escaped[16];
            snprintf(escaped, sizeof escaped, "\\x%X;", c);
            out += escaped;
        }
    }
}

inline bool IsCDATA(const COB_WideStringL* text)
{
    const char* record = reinterpret_cast<const char*>(text) - offsetof(CXML_Content, m_Content);
    return reinterpret_cast<const CXML_Content*>(record)->m_bCDATA != 0;
}

// name[attr=value,...]{children}; text as "..." and CDATA as C"..."; characters outside printable
// ASCII as \xHEX;. A null tree is NULL.
inline std::string Dump(const CXML_Element* element)
{
    if (!element)
        return "NULL";
    std::string out = element->GetTagName(true).c_str();
    if (element->CountAttrs() > 0) {
        out += '[';
        for (int i = 0; i < element->CountAttrs(); ++i) {
            COB_ByteString space, name;
            COB_WideString value;
            element->GetAttrByIndex(i, space, name, value);
            if (i)
                out += ',';
            if (!space.IsEmpty())
                out += std::string(space.c_str()) + ":";
            out += name.c_str();
            out += '=';
            AppendWide(out, value.c_str(), value.GetLength());
        }
        out += ']';
    }
    if (element->CountChildren() > 0) {
        out += '{';
        for (unsigned i = 0; i < element->CountChildren(); ++i) {
            if (i)
                out += ',';
            if (const CXML_Element* child = element->GetElement(i)) {
                out += Dump(child);
            } else if (const COB_WideStringL* text = element->GetContentPtr(i)) {
                out += IsCDATA(text) ? "C\"" : "\"";
                AppendWide(out, text->GetPtr(), text->GetLength());
                out += '"';
            } else {
                out += '?';
            }
        }
        out += '}';
    }
    return out;
}

inline std::string ParseAndDump(const std::string& xml, bool save = false, bool ignoreRefs = false,
                                bool keepCtrl = false)
{
    CXML_Element* root = CXML_Element::Parse(xml.data(), xml.size(), save, nullptr, nullptr, ignoreRefs, keepCtrl);
    std::string dump = Dump(root);
    delete root;
    return dump;
}

// A caller's reader that hands out a memory buffer in blocks of a chosen size, each block in a
// fresh heap copy so that a read outside the current block is caught by the sanitizers.
class BlockReader : public IOB_BufferRead
{
public:
    BlockReader(const std::string& data, size_t blockSize) : m_Data(data), m_BlockSize(blockSize) {}
    ~BlockReader() override { delete[] m_Block; }

    void Release() override {}
    bool IsEOF() override { return m_Offset + m_Size >= m_Data.size(); }
    OB_FILESIZE GetPosition() override { return static_cast<OB_FILESIZE>(m_Offset + m_Size); }
    size_t ReadBlock(void*, size_t) override { return 0; }
    bool ReadNextBlock(bool restart) override
    {
        const size_t start = restart ? 0 : m_Offset + m_Size;
        if (start >= m_Data.size())
            return false;
        delete[] m_Block;
        m_Size = std::min(m_BlockSize, m_Data.size() - start);
        m_Block = new uint8_t[m_Size];
        memcpy(m_Block, m_Data.data() + start, m_Size);
        m_Offset = start;
        ++m_Blocks;
        return true;
    }
    const uint8_t* GetBlockBuffer() override { return m_Block; }
    size_t GetBlockSize() override { return m_Size; }
    OB_FILESIZE GetBlockOffset() override { return static_cast<OB_FILESIZE>(m_Offset); }

    int Blocks() const { return m_Blocks; }

private:
    std::string m_Data;
    size_t m_BlockSize;
    uint8_t* m_Block = nullptr;
    size_t m_Offset = 0;
    size_t m_Size = 0;
    int m_Blocks = 0;
};

// An allocator that counts live blocks, and can be told to fail after a number of allocations.
struct CountingAllocator
{
    _IOB_Allocator table;
    long live = 0;
    long total = 0;
    long failAfter = -1; // allocations allowed before every further one fails; -1: never fail

    CountingAllocator()
    {
        table.AllocDebug = [](_IOB_Allocator* a, size_t size, const char*, int) { return a->Alloc(a, size); };
        table.Alloc = [](_IOB_Allocator* a, size_t size) -> void* {
            CountingAllocator* self = reinterpret_cast<CountingAllocator*>(a);
            if (self->failAfter >= 0 && self->total >= self->failAfter)
                return nullptr;
            void* block = malloc(size ? size : 1);
            if (block) {
                ++self->live;
                ++self->total;
            }
            return block;
        };
        table.ReallocDebug = [](_IOB_Allocator* a, void* block, size_t size, const char*, int) {
            return a->Realloc(a, block, size);
        };
        table.Realloc = [](_IOB_Allocator* a, void* block, size_t size) -> void* {
            CountingAllocator* self = reinterpret_cast<CountingAllocator*>(a);
            if (!block)
                return a->Alloc(a, size);
            if (self->failAfter >= 0 && self->total >= self->failAfter)
                return nullptr;
            ++self->total;
            return realloc(block, size ? size : 1);
        };
        table.Free = [](_IOB_Allocator* a, void* block) {
            if (!block)
                return;
            --reinterpret_cast<CountingAllocator*>(a)->live;
            free(block);
        };
    }
    _IOB_Allocator* get() { return &table; }
};

// Destroys a root made through an allocator, as its owner must.
inline void DestroyTree(CXML_Element* root, _IOB_Allocator* allocator)
{
    if (!root)
        return;
    root->~CXML_Element();
    allocator->Free(allocator, root);
}

} // namespace xmltest
