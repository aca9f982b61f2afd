#ifndef COB_FILECACHE_H
#define COB_FILECACHE_H

#include <cstddef>
#include <cstdint>

#include "OB_FileSize.h"

struct _IOB_Allocator;
class IOB_FileRead;

// A file's chunks kept in a caller-supplied area, least recently used replaced first. The records in use
// stay sorted by file offset, so a look-up is a binary search that starts from the record used last
// (sequential reading hits that one or its neighbour). Not synchronised.
class COB_FileCache
{
public:
    struct Chunk
    {
        uint8_t* data;
        OB_FILESIZE offset; // a multiple of the chunk size
        uint32_t stamp;     // the use counter at the last access
    };

    explicit COB_FileCache(_IOB_Allocator* allocator = nullptr);
    ~COB_FileCache();
    COB_FileCache(const COB_FileCache&) = delete;
    COB_FileCache& operator=(const COB_FileCache&) = delete;

    // A null area leaves the cache inactive (reads go to the file) and succeeds. Otherwise the area of
    // chunkCount x chunkSize bytes, which stays the caller's, is split into chunkCount chunks.
    bool InitChunk(int chunkSize, int chunkCount, uint8_t* area);
    // Frees the table; the cache is inactive again.
    void Empty();
    // Forgets every cached chunk.
    void Clear();

    Chunk* SearchChunk(int* index, OB_FILESIZE offset);
    int FindMiniRefChunk() const;
    // Reads the chunk at offset into a free record (or the least recently used one) and files it at its
    // sorted place; null when the file cannot deliver it, and then nothing stale stays cached.
    Chunk* CacheChunk(int* index, OB_FILESIZE offset, IOB_FileRead* file);

    // False when a chunk cannot be read or the range runs past the file's end.
    bool ReadBlock(IOB_FileRead* file, void* buffer, OB_FILESIZE offset, size_t size);
    bool PreCache(IOB_FileRead* file, OB_FILESIZE offset, int count);

    bool IsActive() const { return m_pChunks != nullptr; }
    int GetChunksInUse() const { return m_nChunksInUse; }
    const Chunk* GetChunk(int index) const { return &m_pChunks[index]; }

private:
    Chunk* Touch(int index);
    void MoveChunk(int from, int to);

    _IOB_Allocator* m_pAllocator;
    int m_nChunkSize;
    int m_nChunkCapacity;
    int m_nChunksInUse;
    int m_nCurrent;
    uint32_t m_nUseCounter;
    Chunk* m_pChunks;
};

#endif
