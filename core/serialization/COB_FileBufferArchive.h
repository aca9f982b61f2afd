#ifndef COB_FILEBUFFERARCHIVE_H
#define COB_FILEBUFFERARCHIVE_H

#include "COB_Object.h"
#include "IOB_BufferArchive.h"

class IOB_StreamWrite;

// Buffered output archive whose sink is a write stream. Nothing is flushed by Clear or the destructor:
// call Flush first to keep the pending output.
class COB_FileBufferArchive : public IOB_BufferArchive, public COB_Object
{
public:
    explicit COB_FileBufferArchive(int bufferSize, _IOB_Allocator* allocator = nullptr);
    ~COB_FileBufferArchive() override;

    // False for a null stream (nothing changes); the stream is released at the end when takeOver is true.
    bool AttachFile(IOB_StreamWrite* stream, bool takeOver);
    // Opens (truncating) a file of our own; false when it cannot be opened, and then there is no stream.
    bool AttachFile(const wchar_t* path);
    bool AttachFile(const char* path);

    void Clear() override;
    bool DoWork(const void* data, size_t size) override;
    // Hands over the pending bytes, then flushes the stream.
    bool Flush();

private:
    void ReleaseStream();
    template <typename Char>
    bool OpenFile(const Char* path);

    IOB_StreamWrite* m_pFile;
    bool m_bTakeover;
};

#endif
