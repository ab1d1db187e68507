#include "platform/posix/PosixFolderNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

std::vector<std::string> GatherFolderNames(int nFolderFd,
                                           const std::function<bool(std::string_view)>& keep)
{
    std::vector<std::string> names;
    const int nListFd = ::openat(nFolderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nListFd < 0)
        return names;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::fdopendir(nListFd), &::closedir);
    if (!folder)
    {
        ::close(nListFd);
        return names;
    }
    while (const dirent* pEntry = ::readdir(folder.get()))
    {
        if (keep(pEntry->d_name))
            names.emplace_back(pEntry->d_name);
    }
    return names;
}
