#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/CDriveMap.h"
#include "platform/posix/CPosixFolderChain.h"
#include "platform/posix/PosixFd.h"
#include "platform/posix/PosixSafeOpen.h"

// The file system through the drive map. Every path is resolved from its
// drive's root without following a symbolic link and without crossing into
// another mount; the final name is never followed either. Listings of deep
// folders go on from the folders the previous listings opened (see
// CPosixFolderChain); everything else resolves from the root each time.
class CPosixFileSystem : public IFileSystem
{
public:
    explicit CPosixFileSystem(CDriveMap driveMap);

    std::unique_ptr<IFolderListing> OpenListing(const std::string& strFolder) override;
    bool GetAttributes(const std::string& strPath, uint32_t& nAttributes) override;
    using IFileSystem::SetAttributes;
    bool SetAttributes(const std::string& strPath, uint32_t nAttributes,
                       const SFileIdentity& expected) override;
    bool RemoveFile(const std::string& strPath, const SFileIdentity& expected) override;
    bool CopyFileTo(const std::string& strSource, const std::string& strDestination,
                    bool bFailIfExists, const SFileIdentity& expectedSource) override;
    int RemoveStaleCopies(const std::string& strFolder) override;
    bool MakeFolder(const std::string& strPath) override;
    // renameat2 with RENAME_NOREPLACE between the two folders (link and
    // unlink where the file system lacks it); the copy of the default only
    // between two file systems.
    EPutBack MoveNoReplace(const std::string& strSource, const std::string& strDestination,
                           const SFileIdentity& expectedSource) override;
    bool OpenForSize(const std::string& strPath, uint32_t& nSizeHigh, uint32_t& nSizeLow,
                     SFileIdentity& identity) override;
    bool IsFolderAccessible(const std::string& strPath) override;
    bool ReadWholeFile(const std::string& strPath, std::string& strContents) override;
    std::unique_ptr<IFileReader> OpenFileReader(const std::string& strPath) override;
    std::unique_ptr<ITextFile> CreateTextFile(const std::string& strPath) override;
    std::string GetCurrentFolder() override;
    std::string GetWindowsFolder() override;
    int32_t GetPlatformId() override;
    std::vector<std::string> ListDrives() override;
    std::string DescribeDrive(const std::string& strDrive) override;
    // The host's system folders (/etc, /usr, /boot, /bin, /sbin, /lib,
    // /lib32, /lib64, /libx32, /var, /home) as the drive map names them, both
    // under the drive mapped to "/" and under a drive of their own when one
    // is mounted apart; then the user's home folder ($HOME, else the password
    // database's). A folder on no drive is left out, so a drive table without
    // "/" (a sandbox) has only the home folder, if that is on a drive.
    std::vector<std::string> ListSystemFolders() override;
    std::optional<std::string> WindowsPathOf(const std::string& strHostPath) override;

    const CDriveMap& DriveMap() const { return m_driveMap; }
    const CPosixFolderChain& FolderChain() const { return m_folderChain; }

private:
    // The folder holding a path's final name, opened O_PATH.
    struct SLeaf
    {
        CPosixFd folder;
        uint64_t nDevice = 0;
        std::string strName;
    };
    bool OpenLeaf(const std::string& strPath, SLeaf& leaf) const;
    // The path itself (a drive root included), opened with nFlags.
    CPosixFd OpenPath(const std::string& strPath, int nFlags) const;
    // Opens the final name; fails for a link or another mount at the name.
    static CPosixFd OpenLeafFile(const SLeaf& leaf, int nFlags, SPosixStatus& status);

    CDriveMap m_driveMap;
    CPosixFolderChain m_folderChain;
};
