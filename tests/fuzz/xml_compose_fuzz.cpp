// Fuzz target of the XML composer: any tree the parser builds is written and read back. Writing can
// change a tree only once (characters XML cannot hold are left out, the parser keeps no empty CDATA
// section, and where one text run ends and the next begins is lost), so the tree read back must read
// back again as itself, its adjacent text runs taken as one. The streamed form must give the bytes of
// the memory form.

#include "../core/XmlTestSupport.h"
#include "COB_ByteString.h"
#include "CXML_Element.h"
#include "IOB_FileWrite.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

class StringFile : public IOB_FileWrite
{
public:
    void Release() override {}
    bool WriteBlock(const void* buffer, size_t size) override
    {
        text.append(static_cast<const char*>(buffer), size);
        return true;
    }
    bool Flush() override { return true; }
    OB_FILESIZE GetSize() override { return static_cast<OB_FILESIZE>(text.size()); }
    bool WriteBlock(const void*, OB_FILESIZE, size_t) override { return false; }

    std::string text;
};

// Names are written as they are: only a tree whose names are XML names can read back as itself.
bool IsName(const COB_ByteStringC& name)
{
    if (name.IsEmpty())
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name.GetPtr()[i]);
        const bool start = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
        if (!start && (i == 0 || !((c >= '0' && c <= '9') || c == '-' || c == '.')))
            return false;
    }
    return true;
}

bool HasOnlyNames(const CXML_Element* e)
{
    const COB_ByteString prefix = e->GetNamespace(true);
    if (!IsName(e->GetTagName(false)) || (!prefix.IsEmpty() && !IsName(prefix)))
        return false;
    for (int i = 0; i < e->CountAttrs(); ++i) {
        const CXML_AttrItem& item = e->GetAttrMap().GetAt(i);
        if (!IsName(item.m_AttrName) || (!item.m_QSpaceName.IsEmpty() && !IsName(item.m_QSpaceName)))
            return false;
    }
    for (unsigned i = 0; i < e->CountChildren(); ++i) {
        const CXML_Element* child = e->GetElement(i);
        if (child && !HasOnlyNames(child))
            return false;
    }
    return true;
}

// The tree's text form with adjacent text runs joined: XML cannot tell where one run ends.
std::string JoinedDump(const CXML_Element* e)
{
    std::string dump = xmltest::Dump(e);
    for (size_t at = dump.find("\",\""); at != std::string::npos; at = dump.find("\",\"", at))
        dump.erase(at, 3);
    return dump;
}

std::string Compose(CXML_Element& e, bool compact)
{
    const COB_ByteString bytes = e.OutputStream(false, compact);
    return std::string(bytes.c_str(), static_cast<size_t>(bytes.GetLength()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool compact = data[0] & 1;
    std::unique_ptr<CXML_Element> tree(CXML_Element::Parse(data + 1, size - 1, true));
    if (!tree)
        return 0;
    const std::string first = Compose(*tree, compact);
    StringFile file;
    tree->OutputStream(&file, false, compact);
    if (file.text != first)
        __builtin_trap();
    if (!HasOnlyNames(tree.get()))
        return 0;
    std::unique_ptr<CXML_Element> back(CXML_Element::Parse(first.data(), first.size(), true));
    if (!back)
        __builtin_trap();
    const std::string second = Compose(*back, compact);
    std::unique_ptr<CXML_Element> again(CXML_Element::Parse(second.data(), second.size(), true));
    if (!again || JoinedDump(again.get()) != JoinedDump(back.get()))
        __builtin_trap();
    return 0;
}
