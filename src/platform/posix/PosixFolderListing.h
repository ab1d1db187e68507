#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/PosixFd.h"

#include <dirent.h>

// Lists one open folder. Entries carry type and identity only; sizes and
// permissions are read by FillDetails for the entries that need them.
class CPosixFolderListing : public IFolderListing
{
public:
    // Takes a folder opened O_RDONLY | O_DIRECTORY; nullptr when it cannot be read.
    static std::unique_ptr<CPosixFolderListing> Open(CPosixFd folder);
    ~CPosixFolderListing() override;
    CPosixFolderListing(const CPosixFolderListing&) = delete;
    CPosixFolderListing& operator=(const CPosixFolderListing&) = delete;

    bool Next(SFindEntry& entry) override;
    bool FillDetails(SFindEntry& entry) override;

private:
    CPosixFolderListing(DIR* pDir, uint64_t nDevice) : m_pDir(pDir), m_nDevice(nDevice) {}
    bool Classify(const struct dirent& record, SFindEntry& entry) const;

    DIR* m_pDir;
    uint64_t m_nDevice;
};
