#ifndef COB_MMAPEDFILE_H
#define COB_MMAPEDFILE_H

#include "COB_Object.h"
#include "COB_WideString.h"
#include "IOB_FileStream.h"

// The platform page size, set before main.
extern OB_FILESIZE OB_DEFAULT_MMAP_SIZE;

// A file read and written through a shared memory-mapped window, which moves (in steps of 64 KB) to
// wherever an access falls. Opening and reading never change the file and never touch bytes past its
// end; writing past the end grows it to the next multiple of 64 KB. No reference count: Release deletes.
class COB_MMapedFile : public IOB_FileStream, public COB_Object
{
public:
    // Opens the file (when missing: creates it, mode 0644, one page long) and maps length bytes at
    // offset, as far as the file reaches; offset must be a multiple of the page size.
    static COB_MMapedFile* Create(const COB_WideStringC& path, OB_FILESIZE offset, uint64_t length);
    COB_MMapedFile(const COB_WideStringC& path, OB_FILESIZE offset, uint64_t length);

    bool IsValid() const { return m_pMemory != nullptr && m_WindowLength != 0; }
    void* GetMemory() const { return m_pMemory; }
    COB_WideString GetName() const { return m_Path; }
    // Moves the window over [offset, offset + size), growing the file when the range runs past its end.
    bool ReMap(OB_FILESIZE offset, OB_FILESIZE size);

    void Release() override;
    IOB_FileStream* Retain() override { return nullptr; }
    bool IsEOF() override;
    OB_FILESIZE GetPosition() override { return m_Position; }
    OB_FILESIZE SetPosition(OB_FILESIZE) override { return -1; }
    OB_FILESIZE GetSize() override;
    // Reads fail unless the whole range lies inside the file; the sequential read stops at the end.
    size_t ReadBlock(void* buffer, size_t size) override;
    bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) override;
    // Writes at the position.
    bool WriteBlock(const void* buffer, size_t size) override;
    bool Flush() override;

protected:
    ~COB_MMapedFile() override;

private:
    void Unmap();
    bool RefreshSize();
    bool Grow(OB_FILESIZE newSize);
    bool Transfer(void* buffer, const void* bytes, OB_FILESIZE offset, size_t size);

    COB_WideString m_Path;
    uint8_t* m_pMemory;
    OB_FILESIZE m_FileSize;
    int m_nFD;
    OB_FILESIZE m_WindowOffset;
    OB_FILESIZE m_Position;
    uint8_t m_FillByte;
    uint64_t m_WindowLength;
};

#endif
