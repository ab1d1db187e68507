#include "platform/posix/PosixCopyTemporaries.h"

#include "platform/CopyTemporaryName.h"
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
    // The names are gathered first, so that no removal happens while the
    // folder is being read.
    std::vector<std::string> stale;
    {
        const int nListFd = ::openat(nFolderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (nListFd < 0)
            return 0;
        const std::unique_ptr<DIR, int (*)(DIR*)> folder(::fdopendir(nListFd), &::closedir);
        if (!folder)
        {
            ::close(nListFd);
            return 0;
        }
        while (const dirent* pEntry = ::readdir(folder.get()))
        {
            uint32_t nProcessId = 0;
            if (ParseCopyTemporaryName(pEntry->d_name, nProcessId) &&
                nProcessId != static_cast<uint32_t>(::getpid()) && PosixIsProcessGone(nProcessId))
                stale.emplace_back(pEntry->d_name);
        }
    }
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
