#include "platform/posix/PosixCopyData.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace
{

constexpr size_t CHUNK = 1024 * 1024;

bool CopyByReadWrite(int nIn, int nOut, uint64_t& nCopied)
{
    std::vector<char> buffer(CHUNK);
    for (;;)
    {
        const ssize_t nRead = ::read(nIn, buffer.data(), buffer.size());
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            return false;
        if (nRead == 0)
            return true;
        if (!PosixWriteAll(nOut, buffer.data(), static_cast<size_t>(nRead)))
            return false;
        nCopied += static_cast<uint64_t>(nRead);
    }
}

} // namespace

bool PosixCopyData(int nIn, int nOut, uint64_t& nCopied)
{
    nCopied = 0;
    for (;;)
    {
        const ssize_t nDone = copy_file_range(nIn, nullptr, nOut, nullptr, CHUNK, 0);
        if (nDone > 0)
        {
            nCopied += static_cast<uint64_t>(nDone);
            continue;
        }
        if (nDone == 0)
            return true;
        if (errno == EINTR)
            continue;
        // Nothing written yet by the kernel for these: finish by hand from
        // the same offsets.
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
            errno == EBADF)
            return CopyByReadWrite(nIn, nOut, nCopied);
        return false;
    }
}

bool PosixWriteAll(int nFd, const char* pData, size_t nLength)
{
    while (nLength > 0)
    {
        const ssize_t nWritten = ::write(nFd, pData, nLength);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        pData += nWritten;
        nLength -= static_cast<size_t>(nWritten);
    }
    return true;
}
