#include "TreePictureStore.h"

#include "AUILibUtils.h"

#include <QPixmap>

namespace AUILib {

TreePictureStore::TreePictureStore()
{
    m_itemPictures.max_load_factor(1.0f);
    Clear();
}

std::uint64_t TreePictureStore::ContentHash(const unsigned char *bytes, int length)
{
    std::uint64_t hash = 0;
    for (int i = 0; i < length; i += 5)
        hash = hash * 31 + bytes[i];
    return hash;
}

int TreePictureStore::Add(const unsigned char *bytes, int length, ImageTypes type, const std::wstring &path)
{
    if (!bytes || length <= 0)
        return -1;
    const std::uint64_t hash = ContentHash(bytes, length);
    const QByteArray content(reinterpret_cast<const char *>(bytes), length);
    auto bucket = m_contentIndex.find(hash);
    // The sampled hash skips four bytes of five: pictures that agree only on
    // the sampled bytes are different pictures.
    if (bucket != m_contentIndex.end())
        for (const auto &entry : bucket->second)
            if (entry.second.bytes == content)
                return entry.first;

    QPixmap pixmap;
    if (!pixmap.loadFromData(content, AUILibUtils::ImageTypeToStr(type).c_str()))
        return -1;
    m_pictures.push_back(QIcon(pixmap));
    const int index = static_cast<int>(m_pictures.size()) - 1;
    m_contentIndex[hash][index] = Source{path, content};
    return index;
}

QIcon TreePictureStore::Icon(int index) const
{
    if (index < 0 || index >= Count())
        return QIcon();
    return m_pictures[static_cast<std::size_t>(index)];
}

std::wstring TreePictureStore::PathOf(int index) const
{
    for (const auto &bucket : m_contentIndex) {
        auto found = bucket.second.find(index);
        if (found != bucket.second.end())
            return found->second.path;
    }
    return std::wstring();
}

int TreePictureStore::ItemPicture(const QStandardItem *item) const
{
    auto found = m_itemPictures.find(item);
    return found == m_itemPictures.end() ? -1 : found->second;
}

void TreePictureStore::Clear()
{
    m_contentIndex.clear();
    m_itemPictures.clear();
    m_pictures.assign(1, QIcon());
}

} // namespace AUILib
