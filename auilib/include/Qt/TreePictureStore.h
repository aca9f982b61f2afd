#pragma once

#include "AUITypes.h"

#include <QByteArray>
#include <QIcon>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class QStandardItem;

namespace AUILib {

// The pictures of one tree view, shared by all its items: each distinct
// picture is stored once and named by its index. Index 0 is a null icon, so
// the first real picture gets 1. Equal pictures are found by a sampled hash
// and then compared byte for byte.
class TreePictureStore
{
public:
    TreePictureStore();

    // The index of the picture the bytes decode to, added when it is new; -1
    // when they do not decode. `path` is kept as the picture's source.
    int Add(const unsigned char *bytes, int length, ImageTypes type, const std::wstring &path);
    // A null icon outside the store.
    QIcon Icon(int index) const;
    // The source path of the picture, empty for one given as bytes.
    std::wstring PathOf(int index) const;
    int Count() const { return static_cast<int>(m_pictures.size()); }

    // The picture indexes of standard items.
    void SetItemPicture(const QStandardItem *item, int index) { m_itemPictures[item] = index; }
    // -1 when the item has none.
    int ItemPicture(const QStandardItem *item) const;
    void ForgetItem(const QStandardItem *item) { m_itemPictures.erase(item); }
    // The items are gone; the pictures stay.
    void ForgetItems() { m_itemPictures.clear(); }
    std::size_t ItemCount() const { return m_itemPictures.size(); }

    // Back to the single null icon.
    void Clear();

    // The sampled content hash: every fifth byte from the first.
    static std::uint64_t ContentHash(const unsigned char *bytes, int length);

private:
    struct Source
    {
        std::wstring path;
        QByteArray bytes;
    };

    std::map<std::uint64_t, std::map<int, Source>> m_contentIndex;
    std::vector<QIcon> m_pictures;
    std::unordered_map<const QStandardItem *, int> m_itemPictures;
};

} // namespace AUILib
