#include "platform/posix/PosixSafeOpen.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>

namespace
{

constexpr unsigned int STATX_FLAGS = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_SYNC_AS_STAT;

int64_t Nanoseconds(const struct statx_timestamp& time)
{
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

bool StatxAt(int nDirFd, const char* pszName, unsigned int nFlags, uint64_t nDevice,
             SPosixStatus& status)
{
    struct statx info
    {
    };
    if (statx(nDirFd, pszName, static_cast<int>(nFlags),
              STATX_TYPE | STATX_MODE | STATX_INO | STATX_SIZE | STATX_BTIME | STATX_MTIME |
                  STATX_CTIME,
              &info) != 0)
        return false;
    status.nMode = info.stx_mode;
    status.nDevice = makedev(info.stx_dev_major, info.stx_dev_minor);
    status.nInode = info.stx_ino;
    status.nSize = info.stx_size;
    status.nBirthTime =
        (info.stx_mask & STATX_BTIME) != 0 ? static_cast<uint64_t>(Nanoseconds(info.stx_btime)) : 0;
    // Both are kept by every file system; a time of exactly 0 reads as
    // "unknown" and is moved off it by one nanosecond.
    status.nWriteTime = (info.stx_mask & STATX_MTIME) != 0 ? Nanoseconds(info.stx_mtime) : 0;
    status.nChangeTime =
        (info.stx_mask & STATX_CTIME) != 0 ? std::max<int64_t>(Nanoseconds(info.stx_ctime), 1) : 0;
    const bool bMountRoot = (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                            (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    return !bMountRoot && status.nDevice == nDevice;
}

long OpenAt2(int nRootFd, const char* pszPath, int nFlags)
{
    struct open_how how
    {
    };
    how.flags = static_cast<uint64_t>(nFlags);
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    long nResult;
    int nTries = 0;
    do
        nResult = syscall(SYS_openat2, nRootFd, pszPath, &how, sizeof(how));
    while (nResult < 0 && (errno == EINTR || errno == EAGAIN) && ++nTries < 16);
    return nResult;
}

int OpenAt(int nDirFd, const char* pszName, int nFlags)
{
    int nFd;
    do
        nFd = ::openat(nDirFd, pszName, nFlags);
    while (nFd < 0 && errno == EINTR);
    return nFd;
}

} // namespace

CPosixFd CPosixSafeOpen::OpenRoot(const std::string& strHostRoot)
{
    return CPosixFd(OpenAt(AT_FDCWD, strHostRoot.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

CPosixFd CPosixSafeOpen::OpenBeneath(int nRootFd, const std::string& strRelative, int nFlags)
{
    if ((nFlags & O_CREAT) != 0)
    {
        errno = EINVAL;
        return {};
    }
    nFlags |= O_NOFOLLOW | O_CLOEXEC;
    const char* pszPath = strRelative.empty() ? "." : strRelative.c_str();
    const long nResult = OpenAt2(nRootFd, pszPath, nFlags);
    if (nResult >= 0)
        return CPosixFd(static_cast<int>(nResult));
    if (errno == ENOSYS || errno == ENAMETOOLONG)
        return OpenBeneathByWalk(nRootFd, strRelative, nFlags);
    return {};
}

CPosixFd CPosixSafeOpen::OpenBeneathByWalk(int nRootFd, const std::string& strRelative, int nFlags)
{
    if ((nFlags & O_CREAT) != 0)
    {
        errno = EINVAL;
        return {};
    }
    nFlags |= O_NOFOLLOW | O_CLOEXEC;
    uint64_t nRootDevice = 0;
    if (!DeviceOf(nRootFd, nRootDevice))
        return {};
    if (strRelative.empty())
        return CPosixFd(OpenAt(nRootFd, ".", nFlags));

    CPosixFd current;
    int nCurrentFd = nRootFd;
    size_t nStart = 0;
    for (;;)
    {
        const size_t nSlash = strRelative.find('/', nStart);
        const bool bLast = nSlash == std::string::npos;
        const std::string strName =
            strRelative.substr(nStart, bLast ? std::string::npos : nSlash - nStart);
        if (strName.empty() || strName == "." || strName == ".." || strName.size() > NAME_MAX)
        {
            errno = strName.size() > NAME_MAX ? ENAMETOOLONG : EINVAL;
            return {};
        }
        const int nOpenFlags = bLast ? nFlags : (O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        CPosixFd next(OpenAt(nCurrentFd, strName.c_str(), nOpenFlags));
        if (!next.IsOpen())
            return {};
        SPosixStatus status;
        if (!StatOpen(next.Get(), nRootDevice, status))
        {
            errno = EXDEV;
            return {};
        }
        current = std::move(next);
        nCurrentFd = current.Get();
        if (bLast)
            return current;
        nStart = nSlash + 1;
    }
}

bool CPosixSafeOpen::StatLeaf(int nFolderFd, uint64_t nFolderDevice, const std::string& strName,
                              SPosixStatus& status)
{
    if (strName.empty() || strName.find('/') != std::string::npos)
        return false;
    return StatxAt(nFolderFd, strName.c_str(), STATX_FLAGS, nFolderDevice, status);
}

bool CPosixSafeOpen::StatLeaf(int nFolderFd, const std::string& strName, SPosixStatus& status)
{
    uint64_t nDevice = 0;
    return DeviceOf(nFolderFd, nDevice) && StatLeaf(nFolderFd, nDevice, strName, status);
}

bool CPosixSafeOpen::StatOpen(int nFd, uint64_t nDevice, SPosixStatus& status)
{
    return StatxAt(nFd, "", STATX_FLAGS | AT_EMPTY_PATH, nDevice, status);
}

bool CPosixSafeOpen::DeviceOf(int nFd, uint64_t& nDevice)
{
    struct stat info
    {
    };
    if (::fstat(nFd, &info) != 0)
        return false;
    nDevice = info.st_dev;
    return true;
}
