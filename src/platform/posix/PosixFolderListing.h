#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/PosixFd.h"

#include <memory>

// Lists one open folder with getdents64 straight into a buffer of its own.
// Entries carry the type the folder records (d_type) and their identity
// only; sizes and permissions are read by FillDetails for the entries that
// need them. The only status read while listing is that of each sub-folder
// (one statx: whether it is a mount point, which d_type cannot tell) and of
// names whose type the file system does not record.
class CPosixFolderListing : public IFolderListing
{
public:
    // Takes a folder opened O_RDONLY | O_DIRECTORY on device nDevice (as
    // st_dev); nullptr when it is not open.
    static std::unique_ptr<CPosixFolderListing> Open(CPosixFd folder, uint64_t nDevice);
    ~CPosixFolderListing() override = default;
    CPosixFolderListing(const CPosixFolderListing&) = delete;
    CPosixFolderListing& operator=(const CPosixFolderListing&) = delete;

    bool Next(SFindEntry& entry) override;
    bool FillDetails(SFindEntry& entry) override;

private:
    CPosixFolderListing(CPosixFd folder, uint64_t nDevice)
        : m_folder(std::move(folder)), m_nDevice(nDevice)
    {
    }
    bool Classify(const char* pszName, uint64_t nInode, unsigned char nType,
                  SFindEntry& entry) const;

    static constexpr size_t BUFFER_SIZE = 32 * 1024;

    CPosixFd m_folder;
    uint64_t m_nDevice;
    std::unique_ptr<char[]> m_pBuffer{new char[BUFFER_SIZE]};
    size_t m_nUsed = 0; // bytes of records read into the buffer
    size_t m_nAt = 0;   // where the next record starts
    bool m_bEnd = false;
};
