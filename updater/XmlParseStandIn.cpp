// Temporary stand-in for the core XML parser until it lands; removed then.
#include "CXML_Element.h"

#include <QXmlStreamReader>
#include <vector>

CXML_Element *CXML_Element::Parse(const void *pBuffer, size_t size, bool, int64_t *, _IOB_Allocator *, bool, bool)
{
    QXmlStreamReader reader(QByteArray(static_cast<const char *>(pBuffer), static_cast<int>(size)));
    CXML_Element *root = nullptr;
    std::vector<CXML_Element *> stack;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            CXML_Element *element = new CXML_Element;
            const QByteArray tag = reader.qualifiedName().toUtf8();
            element->SetTag(COB_ByteStringC(tag.constData(), tag.size()));
            for (const QXmlStreamAttribute &attr : reader.attributes()) {
                const QByteArray name = attr.qualifiedName().toUtf8();
                const std::wstring value = attr.value().toString().toStdWString();
                element->SetAttrValue(COB_ByteStringC(name.constData(), name.size()),
                                      COB_WideStringC(value.c_str(), static_cast<int>(value.size())));
            }
            if (stack.empty()) {
                if (root)
                    break;
                root = element;
            } else {
                stack.back()->AddChildElement(element);
            }
            stack.push_back(element);
        } else if (reader.isEndElement()) {
            stack.pop_back();
            if (stack.empty())
                break;
        }
    }
    if (reader.hasError() && root && !stack.empty()) {
        delete root;
        return nullptr;
    }
    return root;
}
