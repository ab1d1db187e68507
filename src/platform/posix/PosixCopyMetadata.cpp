#include "platform/posix/PosixCopyMetadata.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int MAX_SIZE_TRIES = 8;

// Reads a size-then-data list or value (flistxattr, fgetxattr) whole: the
// size asked first may grow before the read.
template <typename ReadFn> bool ReadGrowing(ReadFn read, std::vector<char>& buffer)
{
    for (int nTry = 0; nTry < MAX_SIZE_TRIES; ++nTry)
    {
        const ssize_t nSize = read(nullptr, 0);
        if (nSize < 0)
            return false;
        buffer.resize(static_cast<size_t>(nSize));
        if (nSize == 0)
            return true;
        const ssize_t nRead = read(buffer.data(), buffer.size());
        if (nRead >= 0)
        {
            buffer.resize(static_cast<size_t>(nRead));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

// A failure that means the destination is short of room or broken, rather
// than unable to hold this attribute.
bool IsWriteFailure(int nError)
{
    return nError == ENOSPC || nError == EDQUOT || nError == EIO;
}

bool CopyExtendedAttributes(int nIn, int nOut)
{
    std::vector<char> names;
    if (!ReadGrowing([nIn](char* pBuffer, size_t nSize)
                     { return ::flistxattr(nIn, pBuffer, nSize); },
                     names))
        return true; // the source's file system keeps none, or they cannot be read
    std::vector<char> value;
    for (size_t nPos = 0; nPos < names.size();)
    {
        const char* pszName = names.data() + nPos;
        const size_t nLength = ::strnlen(pszName, names.size() - nPos);
        nPos += nLength + 1;
        if (nLength == 0 || std::strncmp(pszName, "security.", 9) == 0)
            continue;
        const std::string strName(pszName, nLength);
        if (!ReadGrowing([nIn, &strName](char* pBuffer, size_t nSize)
                         { return ::fgetxattr(nIn, strName.c_str(), pBuffer, nSize); },
                         value))
            continue; // gone since it was listed, or not readable by this process
        if (::fsetxattr(nOut, strName.c_str(), value.data(), value.size(), 0) != 0 &&
            IsWriteFailure(errno))
            return false;
    }
    return true;
}

// True when the copy now has the source's owner and group.
bool CopyOwner(int nOut, const struct stat& source)
{
    struct stat copy
    {
    };
    if (::fstat(nOut, &copy) != 0)
        return false;
    if (copy.st_uid == source.st_uid && copy.st_gid == source.st_gid)
        return true;
    if (::fchown(nOut, source.st_uid, source.st_gid) == 0)
        return true;
    // Without the right to give the file away, the group may still be one
    // of the process's own.
    [[maybe_unused]] const int nGroupResult =
        copy.st_gid != source.st_gid ? ::fchown(nOut, static_cast<uid_t>(-1), source.st_gid) : 0;
    return false;
}
} // namespace

bool PosixCopyMetadata(int nIn, const struct stat& source, int nOut)
{
    if (!CopyExtendedAttributes(nIn, nOut))
        return false;
    // The set-user-id, set-group-id and sticky bits are kept only for a copy
    // that has the source's owner and group.
    const mode_t nBits = CopyOwner(nOut, source) ? 07777 : 0777;
    if (::fchmod(nOut, source.st_mode & nBits) != 0)
        return false;
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    return ::futimens(nOut, times) == 0;
}
