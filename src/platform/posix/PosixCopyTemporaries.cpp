#include "platform/posix/PosixCopyTemporaries.h"

#include "platform/CopyTemporaryName.h"
#include "platform/posix/PosixFolderNames.h"
#include "platform/posix/PosixProcess.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string PosixNewCopyTemporaryName()
{
    static std::atomic<uint32_t> s_nCounter{0};
    const auto nTicks =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const uint64_t nSerial = (nTicks << 20) ^ s_nCounter.fetch_add(1);
    return CopyTemporaryName(static_cast<uint32_t>(::getpid()), nSerial);
}

bool PosixLinkNoReplace(int nFolderFd, const std::string& strFrom, const std::string& strTo)
{
    if (::linkat(nFolderFd, strFrom.c_str(), nFolderFd, strTo.c_str(), 0) != 0)
        return false;
    // Both names are the copy now; losing the temporary one is only untidy,
    // and the next sweep of the folder takes it once this process is gone.
    ::unlinkat(nFolderFd, strFrom.c_str(), 0);
    return true;
}

bool PosixRenameNoReplace(int nFolderFd, const std::string& strFrom, const std::string& strTo)
{
    if (::renameat2(nFolderFd, strFrom.c_str(), nFolderFd, strTo.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    return PosixLinkNoReplace(nFolderFd, strFrom, strTo);
}

int PosixRemoveStaleCopies(int nFolderFd)
{
    const uint32_t nSelf = static_cast<uint32_t>(::getpid());
    const std::vector<std::string> stale =
        GatherFolderNames(nFolderFd,
                          [nSelf](std::string_view strName)
                          {
                              uint32_t nProcessId = 0;
                              return ParseCopyTemporaryName(strName, nProcessId) &&
                                     nProcessId != nSelf && PosixIsProcessGone(nProcessId);
                          });
    int nRemoved = 0;
    for (const std::string& strName : stale)
    {
        struct stat status
        {
        };
        if (::fstatat(nFolderFd, strName.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && ::unlinkat(nFolderFd, strName.c_str(), 0) == 0)
            ++nRemoved;
    }
    return nRemoved;
}
