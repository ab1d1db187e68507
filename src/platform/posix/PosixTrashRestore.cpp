#include "platform/posix/PosixTrashRestore.h"

#include "platform/posix/PosixFd.h"
#include "platform/posix/PosixFileReader.h"
#include "platform/posix/PosixSafeOpen.h"
#include "platform/posix/PosixTrash.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr const char* INFO_SUFFIX = ".trashinfo";
constexpr size_t MAX_RECORD_BYTES = 65536;

int OpenFolderAt(int nParentFd, const char* pszName)
{
    return ::openat(nParentFd, pszName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

std::string Parent(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos || nSlash == 0 ? std::string("/")
                                                      : strPath.substr(0, nSlash);
}

std::string LastName(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

bool ReadSmallFile(int nFolderFd, const std::string& strName, std::string& strText)
{
    const CPosixFd file(
        ::openat(nFolderFd, strName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status
    {
    };
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<size_t>(status.st_size) > MAX_RECORD_BYTES)
        return false;
    return PosixReadToEnd(file.Get(), strText, MAX_RECORD_BYTES);
}

// The host path a record's "Path=" names: absolute in the home trash,
// relative to the mount's top directory in a top-directory trash
// ($topdir/.Trash-$uid, or $topdir/.Trash/$uid).
std::string RecordedHostPath(const std::string& strTrashFolder, const std::string& strPath)
{
    if (!strPath.empty() && strPath[0] == '/')
        return strPath;
    const std::string strParent = Parent(strTrashFolder);
    const std::string strTop = LastName(strParent) == ".Trash" ? Parent(strParent) : strParent;
    return (strTop == "/" ? std::string() : strTop) + "/" + strPath;
}
// The record's file name in files/ and the trash folder; false for a path
// that is no record of a trash.
bool SplitRecordPath(const std::string& strRecord, std::string& strTrashFolder,
                     std::string& strTrashName)
{
    const std::string strInfoName = LastName(strRecord);
    const size_t nSuffix = std::char_traits<char>::length(INFO_SUFFIX);
    if (strInfoName.size() <= nSuffix ||
        strInfoName.compare(strInfoName.size() - nSuffix, nSuffix, INFO_SUFFIX) != 0 ||
        LastName(Parent(strRecord)) != "info")
        return false;
    strTrashName = strInfoName.substr(0, strInfoName.size() - nSuffix);
    strTrashFolder = Parent(Parent(strRecord));
    return true;
}
} // namespace

bool StatTrashedFile(const std::string& strRecord, SPosixStatus& status)
{
    std::string strTrashFolder;
    std::string strTrashName;
    if (!SplitRecordPath(strRecord, strTrashFolder, strTrashName))
        return false;
    const CPosixFd trash(::open(strTrashFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const CPosixFd files(trash.IsOpen() ? OpenFolderAt(trash.Get(), "files") : -1);
    return files.IsOpen() && CPosixSafeOpen::StatLeaf(files.Get(), strTrashName, status);
}

bool ParseTrashRecordPath(const std::string& strRecord, std::string& strPath)
{
    if (strRecord.compare(0, 12, "[Trash Info]") != 0)
        return false;
    size_t nStart = 0;
    while (nStart < strRecord.size())
    {
        size_t nEnd = strRecord.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strRecord.size();
        const std::string strLine = strRecord.substr(nStart, nEnd - nStart);
        if (strLine.compare(0, 5, "Path=") == 0)
            return CPosixTrash::DecodeTrashPath(strLine.substr(5), strPath) && !strPath.empty();
        nStart = nEnd + 1;
    }
    return false;
}

EPutBack RestoreTrashEntry(const std::string& strRecord, int nFolderFd, const std::string& strName,
                           const std::string& strHostPath, const SFileIdentity& expected)
{
    std::string strTrashFolder;
    std::string strTrashName;
    if (!SplitRecordPath(strRecord, strTrashFolder, strTrashName))
        return EPutBack::Failed;
    const std::string strInfoName = LastName(strRecord);

    const CPosixFd trash(::open(strTrashFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!trash.IsOpen())
        return EPutBack::Gone;
    const CPosixFd info(OpenFolderAt(trash.Get(), "info"));
    const CPosixFd files(OpenFolderAt(trash.Get(), "files"));
    if (!info.IsOpen() || !files.IsOpen())
        return EPutBack::Gone;

    std::string strText;
    std::string strRecorded;
    if (!ReadSmallFile(info.Get(), strInfoName, strText))
        return EPutBack::Gone;
    if (!ParseTrashRecordPath(strText, strRecorded) ||
        RecordedHostPath(strTrashFolder, strRecorded) != strHostPath)
        return EPutBack::Failed;

    SPosixStatus trashed;
    if (!CPosixSafeOpen::StatLeaf(files.Get(), strTrashName, trashed))
        return EPutBack::Gone;
    if (S_ISDIR(trashed.nMode))
        return EPutBack::Failed;
    if (!IsUnchangedSince(expected, IdentityOf(trashed)))
        return EPutBack::Changed;
    SPosixStatus existing;
    if (CPosixSafeOpen::StatLeaf(nFolderFd, strName, existing))
        return EPutBack::Taken;

    const char* pszFrom = strTrashName.c_str();
    const char* pszTo = strName.c_str();
    int nResult = ::renameat2(files.Get(), pszFrom, nFolderFd, pszTo, RENAME_NOREPLACE);
    if (nResult != 0 && (errno == EINVAL || errno == ENOSYS))
    {
        nResult = ::linkat(files.Get(), pszFrom, nFolderFd, pszTo, 0);
        if (nResult == 0 && ::unlinkat(files.Get(), pszFrom, 0) != 0)
        {
            ::unlinkat(nFolderFd, pszTo, 0);
            return EPutBack::Failed;
        }
    }
    if (nResult != 0)
    {
        if (errno == EEXIST)
            return EPutBack::Taken;
        return errno == ENOENT ? EPutBack::Gone : EPutBack::Failed;
    }
    SPosixStatus moved;
    if (!CPosixSafeOpen::StatLeaf(nFolderFd, strName, moved) || moved.nInode != trashed.nInode ||
        moved.nDevice != trashed.nDevice)
    {
        ::renameat2(nFolderFd, pszTo, files.Get(), pszFrom, RENAME_NOREPLACE);
        return EPutBack::Changed;
    }
    ::unlinkat(info.Get(), strInfoName.c_str(), 0);
    ::fsync(info.Get());
    return EPutBack::Moved;
}
