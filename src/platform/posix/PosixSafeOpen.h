#pragma once

#include "platform/FileTypes.h"
#include "platform/posix/PosixFd.h"

#include <cstdint>
#include <string>
#include <sys/types.h>

// What a name in a folder is, seen without following it.
struct SPosixStatus
{
    mode_t nMode = 0;
    uint64_t nDevice = 0; // as st_dev
    uint64_t nInode = 0;
    uint64_t nSize = 0;
    uint64_t nBirthTime = 0; // nanoseconds; 0 when the file system keeps none
    int64_t nWriteTime = 0;  // mtime, nanoseconds since 1970; 0 when not read
    int64_t nChangeTime = 0; // ctime, likewise
};

inline SFileIdentity IdentityOf(const SPosixStatus& status)
{
    SFileIdentity identity{status.nDevice, status.nInode, true, status.nBirthTime};
    identity.bStateKnown = status.nChangeTime != 0;
    identity.nSize = status.nSize;
    identity.nWriteTime = status.nWriteTime;
    identity.nChangeTime = status.nChangeTime;
    return identity;
}

// Opens paths below a drive root without following any symbolic link, without
// leaving the root and without crossing into another mount (bind mounts
// included). Relative paths are "a/b/c", or "" for the root itself, and
// carry no "." or ".." components.
class CPosixSafeOpen
{
public:
    // The drive root itself, as configured (links in the configured path are
    // trusted). O_PATH, so it may only serve as the base of *at() calls.
    static CPosixFd OpenRoot(const std::string& strHostRoot);

    // nFlags are open(2) flags; O_NOFOLLOW and O_CLOEXEC are always added,
    // O_CREAT is not allowed. Uses openat2 and falls back to a walk of the
    // components when the kernel lacks it or the path is too long for it.
    static CPosixFd OpenBeneath(int nRootFd, const std::string& strRelative, int nFlags);
    // The component-by-component walk alone (also used for paths longer than
    // the kernel accepts in one call).
    static CPosixFd OpenBeneathByWalk(int nRootFd, const std::string& strRelative, int nFlags);

    // Status of a name in an open folder, never following a link at the name
    // and never looking into a mount: false when the name is missing or is
    // the root of another mount (its device differs from the folder's, or it
    // is a mount root such as a bind mount).
    static bool StatLeaf(int nFolderFd, uint64_t nFolderDevice, const std::string& strName,
                         SPosixStatus& status);
    static bool StatLeaf(int nFolderFd, const std::string& strName, SPosixStatus& status);

    // Status of an open file or folder; false when it is another mount than
    // nDevice (a mount root, or another device).
    static bool StatOpen(int nFd, uint64_t nDevice, SPosixStatus& status);
    static bool DeviceOf(int nFd, uint64_t& nDevice);
};
