#include "platform/posix/CPosixFileSystem.h"

#include "platform/posix/PosixAttributes.h"
#include "platform/posix/PosixCopyData.h"
#include "platform/posix/PosixCopyMetadata.h"
#include "platform/posix/PosixCopyTemporaries.h"
#include "platform/posix/PosixFileReader.h"
#include "platform/posix/PosixFolderListing.h"
#include "platform/posix/PosixTextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

// The host folders that belong to the system, below "/".
const char* const SYSTEM_FOLDERS[] = {"etc",   "usr",   "boot",   "bin", "sbin", "lib",
                                      "lib32", "lib64", "libx32", "var", "home"};

// $HOME when it is an absolute path, else the password database's home of the
// user; empty when neither is known.
std::string UserHomeFolder()
{
    const char* pszHome = std::getenv("HOME");
    if (pszHome != nullptr && pszHome[0] == '/')
        return pszHome;
    struct passwd entry
    {
    };
    struct passwd* pResult = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &pResult) == 0 &&
        pResult != nullptr && pResult->pw_dir != nullptr && pResult->pw_dir[0] == '/')
        return pResult->pw_dir;
    return {};
}

bool Matches(const SFileIdentity& expected, const SPosixStatus& status)
{
    return IsUnchangedSince(expected, IdentityOf(status));
}

bool FstatStatus(int nFd, SPosixStatus& status)
{
    struct stat info
    {
    };
    if (::fstat(nFd, &info) != 0)
        return false;
    status = {info.st_mode, info.st_dev, info.st_ino, static_cast<uint64_t>(info.st_size)};
    return true;
}

bool SyncFolder(int nFolderFd)
{
    const CPosixFd folder(::openat(nFolderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.IsOpen() && ::fsync(folder.Get()) == 0;
}

// Removes a name only while it still is the file we created.
void RemoveIfOurs(int nFolderFd, uint64_t nFolderDevice, const std::string& strName,
                  const SPosixStatus& ours)
{
    SPosixStatus status;
    if (CPosixSafeOpen::StatLeaf(nFolderFd, nFolderDevice, strName, status) &&
        status.nInode == ours.nInode && status.nDevice == ours.nDevice)
        ::unlinkat(nFolderFd, strName.c_str(), 0);
}

} // namespace

CPosixFileSystem::CPosixFileSystem(CDriveMap driveMap) : m_driveMap(std::move(driveMap)) {}

bool CPosixFileSystem::OpenLeaf(const std::string& strPath, SLeaf& leaf) const
{
    const std::optional<CDriveMap::SHostPath> host = m_driveMap.Split(strPath);
    if (!host || host->strRelative.empty())
        return false;
    const CPosixFd root = CPosixSafeOpen::OpenRoot(host->strRoot);
    if (!root.IsOpen())
        return false;
    const size_t nSlash = host->strRelative.rfind('/');
    const std::string strFolder =
        nSlash == std::string::npos ? std::string() : host->strRelative.substr(0, nSlash);
    leaf.strName = host->strRelative.substr(nSlash == std::string::npos ? 0 : nSlash + 1);
    leaf.folder = CPosixSafeOpen::OpenBeneath(root.Get(), strFolder, O_PATH | O_DIRECTORY);
    return leaf.folder.IsOpen() && CPosixSafeOpen::DeviceOf(leaf.folder.Get(), leaf.nDevice);
}

CPosixFd CPosixFileSystem::OpenPath(const std::string& strPath, int nFlags) const
{
    const std::optional<CDriveMap::SHostPath> host = m_driveMap.Split(strPath);
    if (!host)
        return {};
    const CPosixFd root = CPosixSafeOpen::OpenRoot(host->strRoot);
    if (!root.IsOpen())
        return {};
    return CPosixSafeOpen::OpenBeneath(root.Get(), host->strRelative, nFlags);
}

CPosixFd CPosixFileSystem::OpenLeafFile(const SLeaf& leaf, int nFlags, SPosixStatus& status)
{
    CPosixFd file(
        ::openat(leaf.folder.Get(), leaf.strName.c_str(), nFlags | O_NOFOLLOW | O_CLOEXEC));
    if (!file.IsOpen() || !CPosixSafeOpen::StatOpen(file.Get(), leaf.nDevice, status))
        return {};
    return file;
}

std::unique_ptr<IFolderListing> CPosixFileSystem::OpenListing(const std::string& strFolder)
{
    const std::optional<CDriveMap::SHostPath> host = m_driveMap.Split(strFolder);
    if (!host)
        return nullptr;
    uint64_t nDevice = 0;
    CPosixFd folder = m_folderChain.OpenFolder(host->strRoot, host->strRelative, O_RDONLY, nDevice);
    return CPosixFolderListing::Open(std::move(folder), nDevice);
}

bool CPosixFileSystem::GetAttributes(const std::string& strPath, uint32_t& nAttributes)
{
    const CPosixFd target = OpenPath(strPath, O_PATH);
    SPosixStatus status;
    if (!target.IsOpen() || !FstatStatus(target.Get(), status))
        return false;
    if (!S_ISREG(status.nMode) && !S_ISDIR(status.nMode) && !S_ISLNK(status.nMode))
        return false;
    nAttributes = PosixAttributesFromMode(status.nMode);
    return true;
}

bool CPosixFileSystem::SetAttributes(const std::string& strPath, uint32_t nAttributes,
                                     const SFileIdentity& expected)
{
    const CPosixFd target = OpenPath(strPath, O_PATH);
    struct stat info
    {
    };
    if (!target.IsOpen() || ::fstat(target.Get(), &info) != 0)
        return false;
    // The identity is checked on the descriptor that the change then goes
    // through, so a name swapped in the meantime cannot take the change.
    SPosixStatus status;
    if (expected.bKnown && (!CPosixSafeOpen::StatOpen(target.Get(), info.st_dev, status) ||
                            !IsUnchangedSince(expected, IdentityOf(status))))
        return false;
    if (S_ISLNK(info.st_mode))
        return true; // a link has no permissions of its own
    if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return false;
    const mode_t nOld = info.st_mode & 07777;
    const mode_t nNew = (nAttributes & FILE_ATTR_READONLY) != 0
                            ? (nOld & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH))
                            : (nOld | S_IWUSR);
    if (nNew == nOld)
        return true;
    // Another name of the same file may lie outside the drive.
    if ((nNew & S_IWUSR) != 0 && S_ISREG(info.st_mode) && info.st_nlink > 1)
        return false;
    // The descriptor pins the inode checked above; its /proc name changes
    // that inode even if the path has been replaced since.
    const std::string strProcName = "/proc/self/fd/" + std::to_string(target.Get());
    return ::chmod(strProcName.c_str(), nNew) == 0;
}

bool CPosixFileSystem::RemoveFile(const std::string& strPath, const SFileIdentity& expected)
{
    SLeaf leaf;
    SPosixStatus status;
    if (!OpenLeaf(strPath, leaf) ||
        !CPosixSafeOpen::StatLeaf(leaf.folder.Get(), leaf.nDevice, leaf.strName, status))
        return false;
    const bool bReadOnly = S_ISREG(status.nMode) && (status.nMode & S_IWUSR) == 0;
    if ((!S_ISREG(status.nMode) && !S_ISLNK(status.nMode)) || bReadOnly ||
        !Matches(expected, status))
        return false;
    return ::unlinkat(leaf.folder.Get(), leaf.strName.c_str(), 0) == 0;
}

bool CPosixFileSystem::CopyFileTo(const std::string& strSource, const std::string& strDestination,
                                  bool bFailIfExists, const SFileIdentity& expectedSource)
{
    SLeaf source;
    SLeaf target;
    if (!OpenLeaf(strSource, source) || !OpenLeaf(strDestination, target))
        return false;
    SPosixStatus sourceStatus;
    const CPosixFd in = OpenLeafFile(source, O_RDONLY | O_NONBLOCK, sourceStatus);
    if (!in.IsOpen() || !S_ISREG(sourceStatus.nMode) || !Matches(expectedSource, sourceStatus))
        return false;

    SPosixStatus existing;
    if (CPosixSafeOpen::StatLeaf(target.folder.Get(), target.nDevice, target.strName, existing))
    {
        // As on Windows, a read-only destination is not overwritten; a link
        // at the name is replaced, its target never written.
        const bool bReadOnly = S_ISREG(existing.nMode) && (existing.nMode & S_IWUSR) == 0;
        if (bFailIfExists || bReadOnly || (!S_ISREG(existing.nMode) && !S_ISLNK(existing.nMode)))
            return false;
    }

    // Times, owner and permission bits as they were before reading moved
    // the access time.
    struct stat sourceInfo
    {
    };
    if (::fstat(in.Get(), &sourceInfo) != 0)
        return false;

    // Written under a temporary name and named only when complete, so that a
    // copy cut short never stands under the real name.
    const int nCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    std::string strCreated;
    CPosixFd out;
    for (int nTry = 0; nTry < 100 && !out.IsOpen(); ++nTry)
    {
        strCreated = PosixNewCopyTemporaryName();
        out.Reset(::openat(target.folder.Get(), strCreated.c_str(), nCreateFlags, 0600));
        if (!out.IsOpen() && errno != EEXIST)
            return false;
    }
    if (!out.IsOpen())
        return false;
    SPosixStatus written;
    if (!FstatStatus(out.Get(), written))
    {
        ::unlinkat(target.folder.Get(), strCreated.c_str(), 0);
        return false;
    }

    uint64_t nCopied = 0;
    SPosixStatus sourceAfter;
    bool bOk = PosixCopyData(in.Get(), out.Get(), nCopied) && FstatStatus(in.Get(), sourceAfter) &&
               nCopied == sourceStatus.nSize && nCopied == sourceAfter.nSize &&
               PosixCopyMetadata(in.Get(), sourceInfo, out.Get()) && ::fsync(out.Get()) == 0;
    bOk = ::close(out.Release()) == 0 && bOk;
    if (bOk)
        bOk = bFailIfExists ? PosixRenameNoReplace(target.folder.Get(), strCreated, target.strName)
                            : ::renameat(target.folder.Get(), strCreated.c_str(),
                                         target.folder.Get(), target.strName.c_str()) == 0;
    if (!bOk)
    {
        RemoveIfOurs(target.folder.Get(), target.nDevice, strCreated, written);
        return false;
    }
    // The copy is complete and in place; a folder that cannot be flushed
    // still fails the call but keeps the copy.
    return SyncFolder(target.folder.Get());
}

int CPosixFileSystem::RemoveStaleCopies(const std::string& strFolder)
{
    const CPosixFd folder = OpenPath(strFolder, O_RDONLY | O_DIRECTORY);
    return folder.IsOpen() ? PosixRemoveStaleCopies(folder.Get()) : 0;
}

bool CPosixFileSystem::MakeFolder(const std::string& strPath)
{
    SLeaf leaf;
    return OpenLeaf(strPath, leaf) && ::mkdirat(leaf.folder.Get(), leaf.strName.c_str(), 0777) == 0;
}

EPutBack CPosixFileSystem::MoveNoReplace(const std::string& strSource,
                                         const std::string& strDestination,
                                         const SFileIdentity& expectedSource)
{
    SLeaf source;
    SLeaf target;
    SPosixStatus status;
    if (!OpenLeaf(strSource, source))
        return EPutBack::Gone;
    if (!CPosixSafeOpen::StatLeaf(source.folder.Get(), source.nDevice, source.strName, status))
        return EPutBack::Gone;
    if (S_ISDIR(status.nMode))
        return EPutBack::Failed;
    if (!Matches(expectedSource, status))
        return EPutBack::Changed;
    if (!OpenLeaf(strDestination, target))
        return EPutBack::Failed;
    SPosixStatus existing;
    if (CPosixSafeOpen::StatLeaf(target.folder.Get(), target.nDevice, target.strName, existing))
        return EPutBack::Taken;
    if (source.nDevice != target.nDevice)
        return IFileSystem::MoveNoReplace(strSource, strDestination, expectedSource);

    const char* pszFrom = source.strName.c_str();
    const char* pszTo = target.strName.c_str();
    int nResult =
        ::renameat2(source.folder.Get(), pszFrom, target.folder.Get(), pszTo, RENAME_NOREPLACE);
    if (nResult != 0 && (errno == EINVAL || errno == ENOSYS))
    {
        // No RENAME_NOREPLACE here: a new link never replaces a name either.
        nResult = ::linkat(source.folder.Get(), pszFrom, target.folder.Get(), pszTo, 0);
        if (nResult == 0 && ::unlinkat(source.folder.Get(), pszFrom, 0) != 0)
        {
            ::unlinkat(target.folder.Get(), pszTo, 0);
            return EPutBack::Failed;
        }
    }
    if (nResult != 0)
    {
        if (errno == EEXIST)
            return EPutBack::Taken;
        if (errno == EXDEV)
            return IFileSystem::MoveNoReplace(strSource, strDestination, expectedSource);
        return errno == ENOENT ? EPutBack::Gone : EPutBack::Failed;
    }
    // Swapped for another file between the check and the rename: given back.
    SPosixStatus moved;
    if (!CPosixSafeOpen::StatLeaf(target.folder.Get(), target.nDevice, target.strName, moved) ||
        moved.nInode != status.nInode || moved.nDevice != status.nDevice)
    {
        ::renameat2(target.folder.Get(), pszTo, source.folder.Get(), pszFrom, RENAME_NOREPLACE);
        return EPutBack::Changed;
    }
    SyncFolder(target.folder.Get());
    SyncFolder(source.folder.Get());
    return EPutBack::Moved;
}

bool CPosixFileSystem::OpenForSize(const std::string& strPath, uint32_t& nSizeHigh,
                                   uint32_t& nSizeLow, SFileIdentity& identity)
{
    SLeaf leaf;
    SPosixStatus status;
    if (!OpenLeaf(strPath, leaf) ||
        !CPosixSafeOpen::StatLeaf(leaf.folder.Get(), leaf.nDevice, leaf.strName, status))
        return false;
    // A link is sized by itself, as the listing sizes it; it is never opened.
    if (!S_ISLNK(status.nMode))
    {
        // Checked before opening: opening a device can have side effects.
        if (!S_ISREG(status.nMode))
            return false;
        const CPosixFd file = OpenLeafFile(leaf, O_RDONLY | O_NONBLOCK, status);
        if (!file.IsOpen() || !S_ISREG(status.nMode))
            return false;
    }
    PosixSplitSize(status.nSize, nSizeHigh, nSizeLow);
    identity = IdentityOf(status);
    return true;
}

bool CPosixFileSystem::IsFolderAccessible(const std::string& strPath)
{
    const CPosixFd folder = OpenPath(strPath, O_PATH | O_DIRECTORY);
    return folder.IsOpen() && ::faccessat(folder.Get(), ".", X_OK, AT_EACCESS) == 0;
}

bool CPosixFileSystem::ReadWholeFile(const std::string& strPath, std::string& strContents)
{
    SLeaf leaf;
    SPosixStatus status;
    if (!OpenLeaf(strPath, leaf))
        return false;
    const CPosixFd file = OpenLeafFile(leaf, O_RDONLY | O_NONBLOCK, status);
    if (!file.IsOpen() || !S_ISREG(status.nMode))
        return false;
    std::string strRead;
    if (!PosixReadToEnd(file.Get(), strRead, strRead.max_size()))
        return false;
    strContents = std::move(strRead);
    return true;
}

std::unique_ptr<IFileReader> CPosixFileSystem::OpenFileReader(const std::string& strPath)
{
    SLeaf leaf;
    SPosixStatus status;
    if (!OpenLeaf(strPath, leaf))
        return nullptr;
    CPosixFd file = OpenLeafFile(leaf, O_RDONLY | O_NONBLOCK, status);
    if (!file.IsOpen() || !S_ISREG(status.nMode))
        return nullptr;
    return std::make_unique<CPosixFileReader>(std::move(file));
}

std::unique_ptr<ITextFile> CPosixFileSystem::CreateTextFile(const std::string& strPath)
{
    SLeaf leaf;
    if (!OpenLeaf(strPath, leaf))
        return nullptr;
    // Whatever is at the name goes first (a planted link is removed, never
    // followed); the new file is then created exclusively, so a link planted
    // in between makes the creation fail.
    SPosixStatus existing;
    if (CPosixSafeOpen::StatLeaf(leaf.folder.Get(), leaf.nDevice, leaf.strName, existing))
    {
        const bool bReadOnly = S_ISREG(existing.nMode) && (existing.nMode & S_IWUSR) == 0;
        if (bReadOnly || (!S_ISREG(existing.nMode) && !S_ISLNK(existing.nMode)) ||
            ::unlinkat(leaf.folder.Get(), leaf.strName.c_str(), 0) != 0)
            return nullptr;
    }
    CPosixFd file(::openat(leaf.folder.Get(), leaf.strName.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file.IsOpen())
        return nullptr;
    return std::make_unique<CPosixTextFile>(std::move(file));
}

std::string CPosixFileSystem::GetCurrentFolder()
{
    const std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
    if (!cwd)
        return "C:\\";
    return m_driveMap.ToWindows(cwd.get()).value_or("C:\\");
}

std::string CPosixFileSystem::GetWindowsFolder()
{
    return "C:\\etc";
}

int32_t CPosixFileSystem::GetPlatformId()
{
    return 2;
}

std::vector<std::string> CPosixFileSystem::ListDrives()
{
    std::vector<std::string> drives;
    for (const CDriveMap::SDrive& drive : m_driveMap.Drives())
        drives.push_back({drive.cLetter, ':'});
    return drives;
}

std::string CPosixFileSystem::DescribeDrive(const std::string& strDrive)
{
    if (strDrive.empty())
        return {};
    const char cLetter = (strDrive[0] >= 'a' && strDrive[0] <= 'z')
                             ? static_cast<char>(strDrive[0] - 'a' + 'A')
                             : strDrive[0];
    for (const CDriveMap::SDrive& drive : m_driveMap.Drives())
    {
        if (drive.cLetter == cLetter)
            return drive.strHostRoot;
    }
    return {};
}

std::vector<std::string> CPosixFileSystem::ListSystemFolders()
{
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& strFolder)
    {
        for (const std::string& strKnown : folders)
        {
            if (strKnown == strFolder)
                return;
        }
        folders.push_back(strFolder);
    };
    for (const CDriveMap::SDrive& drive : m_driveMap.Drives())
    {
        if (drive.strHostRoot != "/")
            continue;
        // The names on the drive of "/" itself, even where a folder is a
        // mount point of another drive.
        for (const char* pszName : SYSTEM_FOLDERS)
            add(std::string{drive.cLetter, ':', '\\'} + pszName);
    }
    for (const char* pszName : SYSTEM_FOLDERS)
    {
        if (const std::optional<std::string> windows =
                m_driveMap.ToWindows(std::string("/") + pszName))
            add(*windows);
    }
    // The home folder itself; a home at "/" would make every folder a system
    // folder and is left out.
    const std::string strHome = UserHomeFolder();
    if (const std::optional<std::string> home = m_driveMap.ToWindows(strHome);
        home && home->size() > 3)
        add(*home);
    return folders;
}

std::optional<std::string> CPosixFileSystem::WindowsPathOf(const std::string& strHostPath)
{
    return m_driveMap.ToWindows(strHostPath);
}
