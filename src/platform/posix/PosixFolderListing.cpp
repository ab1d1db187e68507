#include "platform/posix/PosixFolderListing.h"

#include "platform/posix/PosixAttributes.h"
#include "platform/posix/PosixSafeOpen.h"

#include <cstring>
#include <fcntl.h>

std::unique_ptr<CPosixFolderListing> CPosixFolderListing::Open(CPosixFd folder)
{
    uint64_t nDevice = 0;
    if (!folder.IsOpen() || !CPosixSafeOpen::DeviceOf(folder.Get(), nDevice))
        return nullptr;
    DIR* pDir = fdopendir(folder.Get());
    if (pDir == nullptr)
        return nullptr;
    folder.Release();
    return std::unique_ptr<CPosixFolderListing>(new CPosixFolderListing(pDir, nDevice));
}

CPosixFolderListing::~CPosixFolderListing()
{
    closedir(m_pDir);
}

bool CPosixFolderListing::Next(SFindEntry& entry)
{
    while (const struct dirent* pRecord = readdir(m_pDir))
    {
        if (Classify(*pRecord, entry))
            return true;
    }
    return false;
}

bool CPosixFolderListing::Classify(const struct dirent& record, SFindEntry& entry) const
{
    const char* pszName = record.d_name;
    if (std::strchr(pszName, '\\') != nullptr)
        return false;
    entry = SFindEntry{};
    entry.strName = pszName;
    entry.identity = {m_nDevice, record.d_ino, true};
    if (entry.strName == "." || entry.strName == "..")
    {
        entry.nAttributes = FILE_ATTR_DIRECTORY;
        return true;
    }

    unsigned char nType = record.d_type;
    SPosixStatus status;
    if (nType == DT_UNKNOWN)
    {
        // Some file systems do not record the type; a mount root then also
        // fails here and is left out.
        if (!CPosixSafeOpen::StatLeaf(dirfd(m_pDir), m_nDevice, entry.strName, status))
            return false;
        nType = static_cast<unsigned char>(IFTODT(status.nMode));
    }
    switch (nType)
    {
    case DT_DIR:
        // A mount point or bind mount is never entered, nor even reported.
        if (!CPosixSafeOpen::StatLeaf(dirfd(m_pDir), m_nDevice, entry.strName, status) ||
            !S_ISDIR(status.nMode))
            return false;
        entry.nAttributes = PosixAttributesFromMode(status.nMode);
        return true;
    case DT_LNK:
        entry.nAttributes = FILE_ATTR_REPARSE_POINT;
        return true;
    case DT_REG:
        entry.nAttributes = FILE_ATTR_NORMAL;
        return true;
    default:
        return false; // FIFOs, sockets, devices
    }
}

bool CPosixFolderListing::FillDetails(SFindEntry& entry)
{
    SPosixStatus status;
    if (!CPosixSafeOpen::StatLeaf(dirfd(m_pDir), m_nDevice, entry.strName, status))
        return false;
    // Replaced by something of another kind since: keep what the listing saw.
    const bool bFolder = S_ISDIR(status.nMode);
    if (bFolder != entry.IsDirectory() ||
        (!bFolder && !S_ISREG(status.nMode) && !S_ISLNK(status.nMode)))
        return false;
    entry.nAttributes = PosixAttributesFromMode(status.nMode);
    PosixSplitSize(bFolder ? 0 : status.nSize, entry.nSizeHigh, entry.nSizeLow);
    entry.identity = IdentityOf(status);
    entry.bDetailsKnown = true;
    return true;
}
