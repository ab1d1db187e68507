#include "platform/posix/PosixRecordFile.h"

#include "platform/posix/PosixCopyData.h"
#include "platform/posix/PosixFd.h"
#include "platform/posix/PosixFileReader.h"

#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr const char* TEMPORARY_INFIX = ".tmp-";

bool IsPlainName(const std::string& strName)
{
    return !strName.empty() && strName != "." && strName != ".." &&
           strName.find('/') == std::string::npos;
}

CPosixFd OpenFolder(const std::string& strFolder)
{
    return CPosixFd(::open(strFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Removes every temporary of the record: what killed writers left.
void RemoveTemporaries(int nFolderFd, const std::string& strName)
{
    const int nListFd = ::openat(nFolderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nListFd < 0)
        return;
    DIR* pDir = ::fdopendir(nListFd);
    if (pDir == nullptr)
    {
        ::close(nListFd);
        return;
    }
    const std::string strPrefix = strName + TEMPORARY_INFIX;
    std::vector<std::string> stale;
    while (const dirent* pEntry = ::readdir(pDir))
    {
        const std::string strEntry = pEntry->d_name;
        if (strEntry.compare(0, strPrefix.size(), strPrefix) == 0)
            stale.push_back(strEntry);
    }
    ::closedir(pDir);
    for (const std::string& strEntry : stale)
        ::unlinkat(nFolderFd, strEntry.c_str(), 0);
}
} // namespace

bool ReadRecordFile(const std::string& strFolder, const std::string& strName,
                    std::string& strContents)
{
    if (!IsPlainName(strName))
        return false;
    const CPosixFd folder = OpenFolder(strFolder);
    if (!folder.IsOpen())
        return false;
    const CPosixFd file(
        ::openat(folder.Get(), strName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status
    {
    };
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    std::string strText;
    if (!PosixReadToEnd(file.Get(), strText, SIZE_MAX))
        return false;
    strContents = std::move(strText);
    return true;
}

bool ReplaceRecordFile(const std::string& strFolder, const std::string& strName,
                       const std::string& strContents)
{
    if (!IsPlainName(strName))
        return false;
    if (::mkdir(strFolder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    const CPosixFd folder = OpenFolder(strFolder);
    if (!folder.IsOpen())
        return false;
    RemoveTemporaries(folder.Get(), strName);

    const std::string strTemporary = strName + TEMPORARY_INFIX + std::to_string(::getpid());
    CPosixFd file(::openat(folder.Get(), strTemporary.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.IsOpen())
        return false;
    const bool bWritten = PosixWriteAll(file.Get(), strContents.data(), strContents.size()) &&
                          ::fsync(file.Get()) == 0;
    const bool bClosed = ::close(file.Release()) == 0;
    if (!bWritten || !bClosed ||
        ::renameat(folder.Get(), strTemporary.c_str(), folder.Get(), strName.c_str()) != 0)
    {
        ::unlinkat(folder.Get(), strTemporary.c_str(), 0);
        return false;
    }
    return ::fsync(folder.Get()) == 0;
}

bool RemoveRecordFile(const std::string& strFolder, const std::string& strName)
{
    if (!IsPlainName(strName))
        return false;
    const CPosixFd folder = OpenFolder(strFolder);
    if (!folder.IsOpen())
        return errno == ENOENT;
    RemoveTemporaries(folder.Get(), strName);
    if (::unlinkat(folder.Get(), strName.c_str(), 0) != 0)
        return errno == ENOENT;
    ::fsync(folder.Get());
    return true;
}
