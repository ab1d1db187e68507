#include "platform/posix/PosixFolderListing.h"

#include "platform/posix/PosixAttributes.h"
#include "platform/posix/PosixSafeOpen.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{
// The kernel's record, as getdents64 writes it.
struct SDirent64
{
    uint64_t nInode;
    int64_t nOffset;
    unsigned short nLength;
    unsigned char nType;
    char szName[1];
};
} // namespace

std::unique_ptr<CPosixFolderListing> CPosixFolderListing::Open(CPosixFd folder, uint64_t nDevice)
{
    if (!folder.IsOpen())
        return nullptr;
    return std::unique_ptr<CPosixFolderListing>(
        new CPosixFolderListing(std::move(folder), nDevice));
}

bool CPosixFolderListing::Next(SFindEntry& entry)
{
    for (;;)
    {
        if (m_nAt >= m_nUsed)
        {
            if (m_bEnd)
                return false;
            long nRead;
            do
                nRead = ::syscall(SYS_getdents64, m_folder.Get(), m_pBuffer.get(), BUFFER_SIZE);
            while (nRead < 0 && errno == EINTR);
            if (nRead <= 0)
            {
                // The end, or a folder that cannot be read further: what was
                // listed stands.
                m_bEnd = true;
                return false;
            }
            m_nUsed = static_cast<size_t>(nRead);
            m_nAt = 0;
        }
        const char* pRecord = m_pBuffer.get() + m_nAt;
        unsigned short nLength = 0;
        uint64_t nInode = 0;
        std::memcpy(&nLength, pRecord + offsetof(SDirent64, nLength), sizeof(nLength));
        std::memcpy(&nInode, pRecord + offsetof(SDirent64, nInode), sizeof(nInode));
        const auto nType = static_cast<unsigned char>(pRecord[offsetof(SDirent64, nType)]);
        m_nAt += nLength;
        if (Classify(pRecord + offsetof(SDirent64, szName), nInode, nType, entry))
            return true;
    }
}

bool CPosixFolderListing::Classify(const char* pszName, uint64_t nInode, unsigned char nType,
                                   SFindEntry& entry) const
{
    if (std::strchr(pszName, '\\') != nullptr)
        return false;
    entry = SFindEntry{};
    entry.strName = pszName;
    entry.identity = {m_nDevice, nInode, true};
    if (entry.strName == "." || entry.strName == "..")
    {
        entry.nAttributes = FILE_ATTR_DIRECTORY;
        return true;
    }

    SPosixStatus status;
    if (nType == DT_UNKNOWN)
    {
        // Some file systems do not record the type; a mount root then also
        // fails here and is left out.
        if (!CPosixSafeOpen::StatLeaf(m_folder.Get(), m_nDevice, entry.strName, status))
            return false;
        nType = static_cast<unsigned char>(IFTODT(status.nMode));
    }
    switch (nType)
    {
    case DT_DIR:
        // A mount point or bind mount is never entered, nor even reported.
        if (!CPosixSafeOpen::StatLeaf(m_folder.Get(), m_nDevice, entry.strName, status) ||
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
    if (!CPosixSafeOpen::StatLeaf(m_folder.Get(), m_nDevice, entry.strName, status))
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
