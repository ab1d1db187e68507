#include "platform/posix/PosixFileLock.h"

#include "platform/posix/PosixFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace
{

class CPosixFileLock : public IRegistryLock
{
public:
    explicit CPosixFileLock(CPosixFd file) : m_file(std::move(file)) {}

private:
    CPosixFd m_file; // closing it releases the lock
};

} // namespace

std::unique_ptr<IRegistryLock> TryLockFile(const std::string& strHostPath)
{
    // Never through a link planted at the name; the file holds nothing.
    CPosixFd file(
        ::open(strHostPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600));
    if (!file.IsOpen())
        return errno == ELOOP ? nullptr : std::make_unique<IRegistryLock>();
    int nResult;
    do
        nResult = ::flock(file.Get(), LOCK_EX | LOCK_NB);
    while (nResult != 0 && errno == EINTR);
    if (nResult != 0)
        return nullptr;
    return std::make_unique<CPosixFileLock>(std::move(file));
}
